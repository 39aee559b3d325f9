#include "toc/NameIndex.h"

namespace zol {

NameIndex::NameIndex(const ZOLINSUnitToc* records, int count) {
  for (auto& map : byType_) map.reserve(static_cast<std::size_t>(count) / 2 + 1);
  for (int i = 0; i < count; ++i) {
    const int type = records[i].GetType();
    if (type < 0 || type >= kTypes) continue;
    byType_[type].emplace(std::string_view(records[i].GetName()), i);  // keeps the first
  }
}

int NameIndex::Find(std::string_view name, int type) const {
  if (type < 0 || type >= kTypes) return -1;
  const auto found = byType_[type].find(name);
  return found == byType_[type].end() ? -1 : found->second;
}

int NameIndex::FindAnyType(std::string_view name) const {
  int first = -1;
  for (int type = 0; type < kTypes; ++type) {
    const int index = Find(name, type);
    if (index >= 0 && (first < 0 || index < first)) first = index;
  }
  return first;
}

}  // namespace zol
