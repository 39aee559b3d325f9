#include "media/OrderIndex.h"

#include <algorithm>

namespace zol {

OrderIndex::OrderIndex(const std::vector<ZOLINSPrefixToc>& prefixes) {
  entries_.reserve(prefixes.size());
  for (std::size_t i = 0; i < prefixes.size(); ++i)
    entries_.emplace_back(prefixes[i].GetOrder(), static_cast<int>(i));
  std::sort(entries_.begin(), entries_.end());
}

int OrderIndex::Find(int order, const std::function<int(int)>& position) const {
  for (auto it = std::lower_bound(entries_.begin(), entries_.end(), std::make_pair(order, -1));
       it != entries_.end() && it->first == order; ++it) {
    const int found = position(it->second);
    if (found >= 0) return found;
  }
  return -1;
}

}  // namespace zol
