#include "installed/PresentPath.h"

#include <string>

#include "ZOLFile.h"
#include "base/Message.h"
#include "base/PathList.h"

namespace zol {

ZOLUnicodeString GetPresentFilePath(const char* installPath, const char* entryName) {
  const char* roots = installPath ? installPath : ZOLGetEnv("ZOLInstallPath");
  if (!roots || !*roots) {
    PrintMessage(Message("ZOLINSTocLib.NoZOLInstallPath",
                         " Error ( %s ) : ZOLInstallPath is not set. Verify your environment.\n",
                         entryName));
    return ZOLUnicodeString();
  }
  std::string candidate;
  for (std::string_view root : SplitPathList(roots, EmptyEntry::kEnds)) {
    candidate.assign(root).append("/control/PRESENT");
    if (ZOLFileAccess(candidate.c_str(), 0) == 0) return ZOLUnicodeString(candidate);
  }
  PrintMessage(Message("ZOLINSTocLib.NoFilePRESENT",
                       " Error ( %s ) : File %s is not found. Check Setup integrity.\n", entryName,
                       candidate));
  return ZOLUnicodeString();
}

}  // namespace zol
