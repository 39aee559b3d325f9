#ifndef ZOLINS_MEDIA_PENDING_CONDITIONS_H
#define ZOLINS_MEDIA_PENDING_CONDITIONS_H

#include <cstddef>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ZOLINSIfreq.h"
#include "ZOLINSTypes.h"
#include "media/IfreqKey.h"

namespace zol {

// The conditional prerequisites that GetSize holds between passes: those gathered in the current
// pass and those put off from earlier ones, one list of first-seen order where an equal entry is
// not added twice. A condition only ever turns true during a call (what is installed is fixed and
// the names examined only grow), so an entry put off is looked at again only when its condition
// element has been examined since: deep closures with many conditions never waiting on anything
// cost nothing per pass.
class PendingConditions {
 public:
  explicit PendingConditions(std::size_t capacity = ZOLINS_STOCK_CAPACITY) : capacity_(capacity) {}

  std::size_t size() const { return members_.size(); }
  bool full() const { return members_.size() >= capacity_; }
  // Adds `entry` (which must outlive the object) unless an equal one is held or the list is full.
  void Add(const ZOLINSIfreq* entry);
  // Takes out the entries whose condition now holds, in list order: those put off whose condition
  // element is among `examined` (the names examined since the last call), and those added since
  // the last call for which `holds(condition)` is true. The others stay, put off.
  std::vector<const ZOLINSIfreq*> TakeSatisfied(
      const std::vector<std::string_view>& examined,
      const std::function<bool(const ZOLINSIfreq&)>& holds);

 private:
  struct PutOff {
    std::size_t rank;  // position in the list: entries put off keep their relative order
    const ZOLINSIfreq* entry;
  };

  std::size_t capacity_;
  std::size_t nextRank_ = 0;
  std::unordered_set<const ZOLINSIfreq*, IfreqHash, IfreqEqual> members_;
  std::vector<const ZOLINSIfreq*> added_;
  // By condition element: all entries of one condition turn true together.
  std::unordered_map<std::string_view, std::vector<PutOff>> putOff_;
};

}  // namespace zol

#endif
