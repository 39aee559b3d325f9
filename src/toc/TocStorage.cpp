#include "toc/TocStorage.h"

#include <algorithm>
#include <numeric>

namespace zol {

int TocStorage::PositionOf(int slot) const {
  const auto after = std::lower_bound(removed_.begin(), removed_.end(), slot);
  if (after != removed_.end() && *after == slot) return -1;
  return slot - static_cast<int>(after - removed_.begin());
}

void TocStorage::Erase(int position) {
  if (order_.empty()) {
    order_.resize(records.size());
    std::iota(order_.begin(), order_.end(), 0);
  }
  const int slot = order_[static_cast<std::size_t>(position)];
  order_.erase(order_.begin() + position);
  removed_.insert(std::upper_bound(removed_.begin(), removed_.end(), slot), slot);
  records[static_cast<std::size_t>(slot)].Libere();
}

NameIndex& TocStorage::Index() {
  if (!index) {
    std::vector<int> slots(records.size() - removed_.size());
    for (std::size_t p = 0; p < slots.size(); ++p) slots[p] = SlotOf(static_cast<int>(p));
    index = std::make_unique<NameIndex>(records.data(), records.size(), slots);
  }
  return *index;
}

}  // namespace zol
