#ifndef ZOLINS_TOC_TOC_STORAGE_H
#define ZOLINS_TOC_TOC_STORAGE_H

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "ZOLINSUnitToc.h"
#include "base/LargeMemory.h"
#include "toc/NameIndex.h"

namespace zol {

// What a loaded table holds: the file's text (line feeds turned into NULs), where each line
// starts, one record per line, the arena of the records' lists and labels, and the name index.
//
// Records stay in the slot they were loaded into. Removing one takes it out of the table's order
// (position -> slot) without moving any other, so that the name index, which holds slots, stays
// true, and a removal costs a shift of integers rather than of records.
class TocStorage {
 public:
  std::vector<char, LargeAllocator<char>> text;
  std::vector<std::size_t> lineStarts;
  std::size_t lastLineEnd = 0;  // where the last line's line feed stood

  // Line i up to its line feed: past the end of its C string when it holds a NUL.
  std::string_view LineToFeed(std::size_t i) const {
    const std::size_t end = i + 1 < lineStarts.size() ? lineStarts[i + 1] - 1 : lastLineEnd;
    return std::string_view(text.data() + lineStarts[i], end - lineStarts[i]);
  }
  std::vector<ZOLINSUnitToc, LargeAllocator<ZOLINSUnitToc>> records;  // by slot
  Arena arena;
  std::unique_ptr<NameIndex> index;

  // The slot of the record at `position` in table order.
  int SlotOf(int position) const {
    return order_.empty() ? position : order_[static_cast<std::size_t>(position)];
  }
  ZOLINSUnitToc& Record(int position) {
    return records[static_cast<std::size_t>(SlotOf(position))];
  }
  // The position of the record in `slot`, or -1 when it was removed.
  int PositionOf(int slot) const;
  // Takes the record at `position` out of the table order.
  void Erase(int position);
  // The index over the records in table order, built on first use.
  NameIndex& Index();

 private:
  std::vector<int> order_;    // position -> slot, empty until a record is removed
  std::vector<int> removed_;  // the removed slots, ascending
};

}  // namespace zol

#endif
