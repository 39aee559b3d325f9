#ifndef ZOLINS_FOUNDATION_STOCK_FILL_H
#define ZOLINS_FOUNDATION_STOCK_FILL_H

#include <string_view>
#include <unordered_set>

#include "ZOLINSStock.h"
#include "foundation/Names.h"

namespace zol {

// Fills a result container from a walk that never offers the same entry twice: the walk either
// cannot meet one twice (record indexes only grow) or keeps its own set of what it met (see
// NewNames). So no addition scans the container, and a walk of tens of thousands of records stays
// linear. Both reset the container; Add returns false, adding nothing, once it is full.
class IndexFill {
 public:
  explicit IndexFill(ZOLINSStockIndex& stock) : stock_(stock), indexes_(stock.Reset()) {}
  bool Add(int index) {
    int& count = *stock_.GetNbIndexAddress();
    if (count >= ZOLINS_STOCK_CAPACITY) return false;
    indexes_[count++] = index;
    return true;
  }

 private:
  ZOLINSStockIndex& stock_;
  int* indexes_;
};

// For ZOLINSStockName and ZOLINSStockNameInst; names are cut to 47 characters, labels left null.
template <typename Stock>
class NameFill {
 public:
  explicit NameFill(Stock& stock) : stock_(stock), names_(stock.Reset()) {}
  bool Add(const char* name) {
    int& count = *stock_.GetNbNameAddress();
    if (!names_ || count >= stock_.Capacity()) return false;
    CopyName(names_[count], name);
    stock_.GetTabLabel()[count++] = nullptr;
    return true;
  }

 private:
  Stock& stock_;
  char (*names_)[ZOLINS_NAME_SIZE];
};

// The names a walk has met, by view: the texts must outlive the set (record names and lists do).
class NewNames {
 public:
  // True the first time `name` (at most 47 characters) is offered.
  bool First(std::string_view name) { return seen_.insert(name).second; }

 private:
  std::unordered_set<std::string_view> seen_;
};

}  // namespace zol

#endif
