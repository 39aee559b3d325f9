#include <csignal>
#include <cstring>
#include <string>

#include "ZOLFile.h"
#include "ZOLINSIntegrity.h"
#include "base/Message.h"
#include "integrity/ElementWalk.h"
#include "integrity/Observer.h"
#include "integrity/ReadAhead.h"

int ZOLINSInstToc::CheckIntegrity(ZOLUnicodeString& report, const char* installPath, int checkLevel,
                                  int compactDocReport) {
  int status = 1;
  std::string root;
  if (installPath) {
    root = installPath;
    CleanPath(root.data());
    root.resize(std::strlen(root.c_str()));
  }
  CheckAllFWKPrerequed(report, compactDocReport, status);
  CheckAllFSPIfrequed(report, status);
  MainChecks(report, installPath ? root.data() : nullptr, checkLevel, compactDocReport, status);
  CheckPrereqIfreq(report, compactDocReport, status);
  return status;
}

void ZOLINSInstToc::MainChecks(ZOLUnicodeString& report, char* installPath, int checkLevel,
                               int compactDocReport, int& status) {
  if (!installPath) return;
  // A table without records (never loaded) has no documentation record first: the list of
  // visible names is expected as for any other installation.
  const ZOLINSUnitToc* first = GetIiemeUnitToc(0);
  if (!first || first->GetType() != ZOLINS_DOCUMENTATION) {
    const std::string visibleNames = std::string(installPath) + "/control/PCFG.list";
    if (ZOLFileAccess(visibleNames.c_str(), 0) != 0) {
      status = 0;
      zol::AppendFinding(
          report,
          zol::Message("CheckIntegrity.FilenotFound",
                       "%s : file not found, possible trouble in case of removal", visibleNames)
              .str());
    }
  }
  std::signal(SIGINT, SignalIntercept);
  CheckIntegAllTOCElements(report, installPath, checkLevel, compactDocReport, status);
}

void ZOLINSInstToc::CheckIntegAllTOCElements(ZOLUnicodeString& report, char* installPath,
                                             int checkLevel, int compactDocReport, int& status) {
  if (!installPath) return;
  zol::CheckContext context(*this, report, installPath, checkLevel, compactDocReport, status);
  zol::ElementWalk(context, zol::CheckReaders()).Run();
}
