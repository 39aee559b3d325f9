#include "media/PlanOutput.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "foundation/Names.h"

namespace zol {

namespace {

struct Entry {
  const ZOLINSUnitToc* record;
  const ZOLINSPrefixToc* prefix;
};

// The first entry carrying `order`. Orders come from the table's own entries, so it exists.
Entry EntryOf(const ZOLINSMediaToc& toc, int order) {
  const int index = toc.GetIndexI(order);
  return {toc.GetIiemeUnitToc(index), toc.GetIiemePrefixToc(index)};
}

const char* NameOf(const Entry& entry) {
  return entry.record ? entry.record->GetName() : "";
}

// A calloc'ed array of n malloc'ed names, freed whole unless it is handed out.
class MallocNames {
 public:
  explicit MallocNames(std::size_t n)
      : n_(n), array_(static_cast<char**>(std::calloc(n, sizeof(char*)))) {}
  ~MallocNames() {
    if (!array_) return;
    for (std::size_t i = 0; i < n_; ++i) std::free(array_[i]);
    std::free(array_);
  }
  MallocNames(const MallocNames&) = delete;
  MallocNames& operator=(const MallocNames&) = delete;

  char** get() const { return array_; }
  char** release() {
    char** array = array_;
    array_ = nullptr;
    return array;
  }

 private:
  std::size_t n_;
  char** array_;
};

}  // namespace

std::vector<int> SortedOrders(const OrderedSet<int>& orders) {
  std::vector<int> sorted(orders.begin(), orders.end());
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

PlanWritten WritePlan(const ZOLINSMediaToc& toc, const std::vector<int>& orders, SizeKind kind,
                      unsigned int* count, char (*&names)[ZOLINS_NAME_SIZE], char** media,
                      unsigned long long& total) {
  total = 0;
  const std::size_t n = orders.size();
  char(*nameArray)[ZOLINS_NAME_SIZE] = new (std::nothrow) char[n][ZOLINS_NAME_SIZE];
  if (!nameArray) return PlanWritten::NamesFailed;
  names = nameArray;
  char* mediaArray = nullptr;
  if (media) {
    mediaArray = new (std::nothrow) char[n];
    if (!mediaArray) return PlanWritten::MediaFailed;
    *media = mediaArray;
  }
  if (count) *count = static_cast<unsigned int>(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Entry entry = EntryOf(toc, orders[i]);
    CopyName(nameArray[i], NameOf(entry));
    if (mediaArray) mediaArray[i] = entry.prefix ? entry.prefix->GetMedia() : '\0';
    if (kind == SizeKind::Archive)
      total += entry.prefix ? entry.prefix->GetSizeCaf() : 0u;
    else
      total += entry.record ? entry.record->GetSizefs() : 0u;
  }
  return PlanWritten::Done;
}

bool WriteMetNames(const ZOLINSMediaToc& toc, const std::vector<int>& orders, char*** names) {
  MallocNames array(orders.size());
  if (!array.get()) return false;
  for (std::size_t i = 0; i < orders.size(); ++i) {
    char* name = static_cast<char*>(std::malloc(ZOLINS_NAME_SIZE));
    if (!name) return false;
    array.get()[i] = name;
    CopyName(name, NameOf(EntryOf(toc, orders[i])));
  }
  *names = array.release();
  return true;
}

}  // namespace zol
