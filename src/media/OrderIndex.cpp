#include "media/OrderIndex.h"

#include <algorithm>

namespace zol {

OrderIndex::OrderIndex(const std::vector<ZOLINSPrefixToc>& prefixes) {
  firsts_.reserve(prefixes.size());
  for (std::size_t i = 0; i < prefixes.size(); ++i)
    firsts_.emplace_back(prefixes[i].GetOrder(), static_cast<int>(i));
  // Sorting the pairs puts the lowest index of each order first; the others go.
  std::sort(firsts_.begin(), firsts_.end());
  const auto sameOrder = [](const std::pair<int, int>& a, const std::pair<int, int>& b) {
    return a.first == b.first;
  };
  firsts_.erase(std::unique(firsts_.begin(), firsts_.end(), sameOrder), firsts_.end());
  firsts_.shrink_to_fit();
}

int OrderIndex::Find(int order) const {
  const auto found = std::lower_bound(firsts_.begin(), firsts_.end(), std::make_pair(order, -1));
  return found != firsts_.end() && found->first == order ? found->second : -1;
}

}  // namespace zol
