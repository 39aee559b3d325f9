#ifndef ZOLINS_TOC_TOC_STORAGE_H
#define ZOLINS_TOC_TOC_STORAGE_H

#include <cstddef>
#include <memory>
#include <vector>

#include "ZOLINSUnitToc.h"
#include "base/LargeMemory.h"
#include "toc/NameIndex.h"

namespace zol {

// What a loaded table holds: the file's text (line feeds turned into NULs), where each line
// starts, one record per line, the arena of the records' lists and labels, and the name index.
struct TocStorage {
  std::vector<char, LargeAllocator<char>> text;
  std::vector<std::size_t> lineStarts;
  std::vector<ZOLINSUnitToc, LargeAllocator<ZOLINSUnitToc>> records;
  Arena arena;
  std::unique_ptr<NameIndex> index;
};

}  // namespace zol

#endif
