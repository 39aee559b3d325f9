#ifndef ZOLINS_FOUNDATION_ORDERED_SET_H
#define ZOLINS_FOUNDATION_ORDERED_SET_H

#include <cstddef>
#include <functional>
#include <unordered_set>
#include <vector>

#include "ZOLINSTypes.h"

namespace zol {

// A list that adds an entry only when no equal entry is there yet, keeps the order in which
// entries were first added, and never grows past its capacity. Membership is a hash lookup, so
// large lists stay fast.
template <typename T, typename Hash = std::hash<T>, typename Equal = std::equal_to<T>>
class OrderedSet {
 public:
  enum class Result { Added, Present, Full };

  explicit OrderedSet(std::size_t capacity = ZOLINS_STOCK_CAPACITY) : capacity_(capacity) {}

  Result Add(const T& value) {
    if (seen_.count(value)) return Result::Present;
    if (items_.size() >= capacity_) return Result::Full;
    seen_.insert(value);
    items_.push_back(value);
    return Result::Added;
  }
  bool Contains(const T& value) const { return seen_.count(value) != 0; }

  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  bool full() const { return items_.size() >= capacity_; }
  const T& operator[](std::size_t i) const { return items_[i]; }
  typename std::vector<T>::const_iterator begin() const { return items_.begin(); }
  typename std::vector<T>::const_iterator end() const { return items_.end(); }

  void clear() {
    items_.clear();
    seen_.clear();
  }

 private:
  std::size_t capacity_;
  std::vector<T> items_;
  std::unordered_set<T, Hash, Equal> seen_;
};

}  // namespace zol

#endif
