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
//
// Records stay in the slot they were loaded into. Removing one takes it out of the table's order
// (position -> slot) without moving any other, so that the name index, which holds slots, stays
// true, and a removal costs a shift of integers rather than of records.
class TocStorage {
 public:
  std::vector<char, LargeAllocator<char>> text;
  std::vector<std::size_t> lineStarts;
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
