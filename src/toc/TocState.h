#ifndef ZOLINS_TOC_TOC_STATE_H
#define ZOLINS_TOC_TOC_STATE_H

#include <memory>
#include <string>
#include <unordered_set>

#include "ZOLINSTypes.h"
#include "ZOLTrace.h"
#include "toc/LevelScan.h"
#include "toc/TocStorage.h"

namespace zol {

// Everything a ZOLINSToc holds, kept out of the public class so that what the table keeps can
// change without changing the class's layout, and so the shared library's ABI.
struct TocState {
  char* fileName = nullptr;  // malloc'ed copy of the loaded path
  int nbToc = -1;
  // Lines and records; see TocStorage.h.
  std::unique_ptr<TocStorage> store{new TocStorage};
  char os[8] = "";
  char gaLevel[8] = "";
  int spkLevel = 0;
  int previousSpkLevel = 0;
  int hfxLevel = 0;
  char hfxName[ZOLINS_NAME_SIZE] = "";
  LevelScan levels;  // gathered by the last ParseRecords
  std::unordered_set<std::string> visibleNames;
  std::unique_ptr<ZOLTrace> trace{new ZOLTrace("TOC", "", 0, "STDERR", 1024)};
  int allVisible = 1;
};

}  // namespace zol

#endif
