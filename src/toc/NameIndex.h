#ifndef ZOLINS_TOC_NAME_INDEX_H
#define ZOLINS_TOC_NAME_INDEX_H

#include <cstddef>
#include <string_view>
#include <vector>

#include "ZOLINSUnitToc.h"

namespace zol {

// (name, type) -> the first record of that name and type in table order, as a slot of the table's
// record storage (see TocStorage.h): slots do not move when a record is removed, so the index
// stays true across removals without being rebuilt. Open addressing over 32-bit slots keeps it
// small; each slot also links to the next record of the same name and type, which takes over
// when the first one is removed.
class NameIndex {
 public:
  // Indexes records[slots[0]], records[slots[1]], ... given in table order. `records` must not
  // move while the index lives.
  NameIndex(const ZOLINSUnitToc* records, std::size_t nbSlots, const std::vector<int>& slots);
  // The slot, or -1.
  int Find(std::string_view name, int type) const;
  // The first slot of that name whatever its type, or -1.
  int FindAnyType(std::string_view name) const;
  // Forgets `slot`, the first of its name and type; the next record of that name and type, if
  // any, becomes the first.
  void Remove(int slot);

 private:
  static constexpr int kTypes = 6;
  static constexpr int kEmpty = -1;
  static constexpr int kGone = -2;  // a removed key: lookups go on past it
  // The bucket that holds (name, type), or the empty bucket where it would go.
  std::size_t Bucket(std::string_view name, int type) const;

  const ZOLINSUnitToc* records_;
  std::vector<int> buckets_;  // slots, kEmpty or kGone; a power of two in size
  std::vector<int> next_;     // per slot: the next slot of the same name and type, or -1
};

}  // namespace zol

#endif
