#include <string_view>
#include <unordered_set>

#include "ZOLINSIntegrity.h"
#include "base/Message.h"
#include "integrity/Findings.h"
#include "integrity/Interrupt.h"
#include "integrity/Observer.h"

namespace {

using NameSet = std::unordered_set<std::string_view>;

// Documentation directories of the product lines: a documentation framework whose name holds one
// of them belongs to a product line's documentation set, which nothing needs to require.
constexpr const char* kDocDirectories[] = {"ZOLEnglish", "RBAEnglish", "RBEEnglish", "RBIEnglish",
                                           "RBOEnglish", "RBUEnglish", "RCAEnglish", "RCEEnglish",
                                           "RCIEnglish", "RCOEnglish", "RCUEnglish", "RDAEnglish"};

bool IsProductLineDoc(std::string_view name) {
  for (const char* directory : kDocDirectories) {
    if (name.find(directory) != std::string_view::npos) return true;
  }
  return false;
}

// One pass over the table instead of one per framework or fix set. The views point into the
// records, which outlive the check.
NameSet PrerequisitesOfProducts(const ZOLINSToc& toc) {
  NameSet names;
  for (int i = 0; i < toc.GetNbToc(); ++i) {
    const ZOLINSUnitToc* record = toc.GetIiemeUnitToc(i);
    const ZOLINSPkg package = record->GetPackage();
    if (package != ZOLINS_PRD && package != ZOLINS_SLT && package != ZOLINS_PDO) continue;
    for (int p = 0; p < record->GetNbPrereq(); ++p) names.insert(record->GetPrereq(p));
  }
  return names;
}

NameSet RequiredByServicePacks(const ZOLINSToc& toc) {
  NameSet names;
  for (int i = 0; i < toc.GetNbToc(); ++i) {
    const ZOLINSUnitToc* record = toc.GetIiemeUnitToc(i);
    if (record->GetPackage() != ZOLINS_SPK) continue;
    for (int c = 0; c < record->GetNbIfreq(); ++c) {
      if (const ZOLINSIfreq* ifreq = record->GetIfreq(c)) names.insert(ifreq->GetUB());
    }
  }
  return names;
}

}  // namespace

void ZOLINSInstToc::CheckAllFWKPrerequed(ZOLUnicodeString& report, int compactDocReport,
                                         int& status) {
  const zol::FindingSink sink{report, compactDocReport, status};
  const NameSet required = PrerequisitesOfProducts(*this);
  for (int i = 0; i < GetNbToc(); ++i) {
    const ZOLINSUnitToc* record = GetIiemeUnitToc(i);
    if (record->GetPackage() != ZOLINS_FWK) continue;
    const char* name = record->GetName();
    if (record->GetType() == ZOLINS_DOCUMENTATION) {
      if (!IsProductLineDoc(name) && !required.count(name))
        sink.Error(zol::kAloneDocFramework, ZOLINS_DOCUMENTATION, name);
    } else if (!required.count(name)) {
      sink.Error(zol::kAloneFramework, record->GetType(), name);
    }
  }
}

void ZOLINSInstToc::CheckAllFSPIfrequed(ZOLUnicodeString& report, int& status) {
  const NameSet required = RequiredByServicePacks(*this);
  for (int i = 0; i < GetNbToc(); ++i) {
    const ZOLINSUnitToc* record = GetIiemeUnitToc(i);
    if (record->GetPackage() != ZOLINS_FSP || required.count(record->GetName())) continue;
    status = 0;
    zol::AppendFinding(report, zol::Message("CheckIntegrity.Alonefsp",
                                            "%s :alone FSP (no SPK prereqs it)", record->GetName())
                                   .str());
  }
}

void ZOLINSInstToc::CheckPrereqIfreq(ZOLUnicodeString& report, int compactDocReport, int& status) {
  if (zol::InterruptCaught()) return;
  const zol::FindingSink sink{report, compactDocReport, status};
  for (int i = 0; i < GetNbToc(); ++i) {
    const ZOLINSUnitToc* record = GetIiemeUnitToc(i);
    for (int p = 0; p < record->GetNbPrereq(); ++p) {
      const char* prereq = record->GetPrereq(p);
      if (IsInstalled(prereq, record->GetType()) == -1)
        sink.Error(zol::kPrereq, record->GetType(), prereq, record->GetName());
    }
  }
  // Service packs older than the installed level no longer bind their corequisites.
  const int installedLevel = GetSPKLevel(1);
  for (int i = 0; i < GetNbToc(); ++i) {
    const ZOLINSUnitToc* record = GetIiemeUnitToc(i);
    if (record->GetPackage() == ZOLINS_SPK && record->GetSPKLevel() < installedLevel) continue;
    const ZOLINSType kind = record->GetType();
    for (int c = 0; c < record->GetNbIfreq(); ++c) {
      const ZOLINSIfreq* ifreq = record->GetIfreq(c);
      if (!ifreq || IsInstalled(ifreq->GetPL(), kind) != 0 ||
          IsInstalled(ifreq->GetUB(), kind) != -1)
        continue;
      status = 2;
      zol::AppendFinding(report, zol::Message("CheckIntegrity.Coreq",
                                              "%s is a corequisite of %s, but is not installed",
                                              ifreq->GetUB(), record->GetName())
                                     .str());
    }
  }
}
