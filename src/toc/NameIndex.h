#ifndef ZOLINS_TOC_NAME_INDEX_H
#define ZOLINS_TOC_NAME_INDEX_H

#include <string_view>
#include <unordered_map>
#include <vector>

#include "ZOLINSUnitToc.h"

namespace zol {

// (name, type) -> the first record of that name and type in table order. Keys point into the
// records' own name buffers, so the index is rebuilt whenever records move.
class NameIndex {
 public:
  NameIndex(const ZOLINSUnitToc* records, int count);
  // The record index, or -1.
  int Find(std::string_view name, int type) const;
  // The first record of that name whatever its type, or -1.
  int FindAnyType(std::string_view name) const;

 private:
  static constexpr int kTypes = 6;
  std::unordered_map<std::string_view, int> byType_[kTypes];
};

}  // namespace zol

#endif
