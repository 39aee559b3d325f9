#ifndef ZOLINS_MEDIA_ORDER_INDEX_H
#define ZOLINS_MEDIA_ORDER_INDEX_H

#include <utility>
#include <vector>

#include "ZOLINSMediaToc.h"

namespace zol {

// Order number -> the first prefix entry carrying it, for media whose lines are not numbered
// consecutively from 3. Built from the whole prefix table; it stays true for as long as that table
// does, since removing a record shortens the table's count but moves no prefix entry.
class OrderIndex {
 public:
  explicit OrderIndex(const std::vector<ZOLINSPrefixToc>& prefixes);
  // The index of the first entry carrying `order`, or -1.
  int Find(int order) const;

 private:
  // (order, first index), sorted by order.
  std::vector<std::pair<int, int>> firsts_;
};

}  // namespace zol

#endif
