#include "media/PendingConditions.h"

#include <algorithm>

namespace zol {

void PendingConditions::Add(const ZOLINSIfreq* entry) {
  if (full() || !members_.insert(entry).second) return;
  added_.push_back(entry);
}

std::vector<const ZOLINSIfreq*> PendingConditions::TakeSatisfied(
    const std::vector<std::string_view>& examined,
    const std::function<bool(const ZOLINSIfreq&)>& holds) {
  std::vector<PutOff> woken;
  for (const std::string_view name : examined) {
    const auto found = putOff_.find(name);
    if (found == putOff_.end()) continue;
    woken.insert(woken.end(), found->second.begin(), found->second.end());
    putOff_.erase(found);
  }
  std::sort(woken.begin(), woken.end(),
            [](const PutOff& a, const PutOff& b) { return a.rank < b.rank; });

  // Entries put off come before every entry added since, as in one list.
  std::vector<const ZOLINSIfreq*> satisfied;
  for (const PutOff& w : woken) satisfied.push_back(w.entry);
  for (const ZOLINSIfreq* entry : added_) {
    if (holds(*entry))
      satisfied.push_back(entry);
    else
      putOff_[entry->GetPL()].push_back({nextRank_++, entry});
  }
  added_.clear();
  for (const ZOLINSIfreq* entry : satisfied) members_.erase(entry);
  return satisfied;
}

}  // namespace zol
