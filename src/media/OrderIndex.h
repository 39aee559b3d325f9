#ifndef ZOLINS_MEDIA_ORDER_INDEX_H
#define ZOLINS_MEDIA_ORDER_INDEX_H

#include <functional>
#include <utility>
#include <vector>

#include "ZOLINSMediaToc.h"

namespace zol {

// Order number -> the prefix entries carrying it, for media whose lines are not numbered
// consecutively from 3. Entries are kept by slot (a record's position at load), which removing a
// record does not change; a removed record's entry stays here and is skipped by Find.
class OrderIndex {
 public:
  explicit OrderIndex(const std::vector<ZOLINSPrefixToc>& prefixes);
  // The position of the first record still in the table whose entry carries `order`, or -1;
  // `position(slot)` gives a slot's position, -1 for a removed one.
  int Find(int order, const std::function<int(int)>& position) const;

 private:
  // (order, slot), sorted.
  std::vector<std::pair<int, int>> entries_;
};

}  // namespace zol

#endif
