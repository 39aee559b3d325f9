#include <string>

#include "ZOLFile.h"
#include "ZOLToken.h"
#include "base/Message.h"
#include "installed/QueryState.h"

namespace zol {

ZOLUnicodeString GetPresentFilePath(const char* installPath) {
  const char* entryName = Queries().currentEntryName;
  const char* roots = installPath ? installPath : ZOLGetEnv("ZOLInstallPath");
  if (!roots || !*roots) {
    PrintMessage(Message("ZOLINSTocLib.NoZOLInstallPath",
                         " Error ( %s ) : ZOLInstallPath is not set. Verify your environment.\n",
                         entryName));
    return ZOLUnicodeString();
  }
  ZOLToken token{ZOLUnicodeString(roots)};
  std::string candidate;
  // An empty entry ends the list.
  for (std::string_view root = token.NextView(':'); !root.empty(); root = token.NextView(':')) {
    candidate.assign(root).append("/control/PRESENT");
    if (ZOLFileAccess(candidate.c_str(), 0) == 0) return ZOLUnicodeString(candidate);
  }
  PrintMessage(Message("ZOLINSTocLib.NoFilePRESENT",
                       " Error ( %s ) : File %s is not found. Check Setup integrity.\n", entryName,
                       candidate));
  return ZOLUnicodeString();
}

}  // namespace zol
