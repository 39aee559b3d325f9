#ifndef ZOLINS_INSTALLED_QUERY_STATE_H
#define ZOLINS_INSTALLED_QUERY_STATE_H

#include <memory>
#include <vector>

#include "ZOLINSInstToc.h"

namespace zol {

// What the plain query functions keep between calls. Released when the process ends.
struct QueryState {
  int levelsToLoad = 1;
  char* gaLevel = nullptr;
  int spkLevel = -1;
  int hfxLevel = -1;
  // Every GA level buffer handed out: callers may keep one after a later read replaced it.
  std::vector<std::unique_ptr<char[]>> gaLevelBuffers;

  std::unique_ptr<ZOLINSInstToc> cachedInstToc;
  int instTocToLoad = 1;
};

// The state of the plain query functions, one for the whole process.
QueryState& Queries();

}  // namespace zol

#endif
