#ifndef ZOLINS_INSTALLED_QUERY_STATE_H
#define ZOLINS_INSTALLED_QUERY_STATE_H

#include <memory>
#include <vector>

#include "ZOLINSInstToc.h"
#include "ZOLUnicodeString.h"

namespace zol {

// What the plain query functions keep between calls. Released when the process ends.
struct QueryState {
  // The entry point being run, named in the messages.
  const char* currentEntryName = nullptr;

  int levelsToLoad = 1;
  char* gaLevel = nullptr;
  int spkLevel = -1;
  int hfxLevel = -1;
  // Every GA level buffer handed out: callers may keep one after a later read replaced it.
  std::vector<std::unique_ptr<char[]>> gaLevelBuffers;

  std::unique_ptr<ZOLINSInstToc> cachedInstToc;
  int instTocToLoad = 1;
};

QueryState& Queries();

// The PRESENT file of the first root of `installPath` (null: of ZOLInstallPath) that has one; the
// empty string, after printing why, when there is none.
ZOLUnicodeString GetPresentFilePath(const char* installPath);

// Reads the GA, SPK and HFX levels from PRESENT unless they were read already and `installPath` is
// null. Failures are printed and keep the levels as they were.
void LoadInstalledLevels(const char* installPath);

}  // namespace zol

#endif
