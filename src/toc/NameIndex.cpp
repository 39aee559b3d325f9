#include "toc/NameIndex.h"

#include <cstring>
#include <functional>

namespace zol {
namespace {

std::size_t HashOf(std::string_view name, int type) {
  return std::hash<std::string_view>()(name) * 31 + static_cast<std::size_t>(type);
}

}  // namespace

NameIndex::NameIndex(const ZOLINSUnitToc* records, std::size_t nbSlots,
                     const std::vector<int>& slots)
    : records_(records), next_(nbSlots, -1) {
  std::size_t size = 16;
  while (size < slots.size() * 2) size *= 2;  // at most half full: short probes
  buckets_.assign(size, kEmpty);
  std::vector<int> last(nbSlots, -1);  // per first slot: the last slot of its chain so far
  for (int slot : slots) {
    const ZOLINSUnitToc& record = records_[slot];
    const int type = record.GetType();
    if (type < 0 || type >= kTypes) continue;
    int& bucket = buckets_[Bucket(record.GetName(), type)];
    if (bucket == kEmpty) {
      bucket = last[static_cast<std::size_t>(slot)] = slot;
      continue;
    }
    int& tail = last[static_cast<std::size_t>(bucket)];
    next_[static_cast<std::size_t>(tail)] = slot;
    tail = slot;
  }
}

std::size_t NameIndex::Bucket(std::string_view name, int type) const {
  const std::size_t mask = buckets_.size() - 1;
  for (std::size_t b = HashOf(name, type) & mask;; b = (b + 1) & mask) {
    const int slot = buckets_[b];
    if (slot == kEmpty) return b;
    if (slot == kGone) continue;
    const ZOLINSUnitToc& record = records_[slot];
    if (record.GetType() == type && name == record.GetName()) return b;
  }
}

int NameIndex::Find(std::string_view name, int type) const {
  if (type < 0 || type >= kTypes) return -1;
  return buckets_[Bucket(name, type)];  // kEmpty is -1
}

int NameIndex::FindAnyType(std::string_view name) const {
  int first = -1;
  for (int type = 0; type < kTypes; ++type) {
    const int slot = Find(name, type);
    if (slot >= 0 && (first < 0 || slot < first)) first = slot;  // slots keep table order
  }
  return first;
}

void NameIndex::Remove(int slot) {
  const ZOLINSUnitToc& record = records_[slot];
  int& bucket = buckets_[Bucket(record.GetName(), record.GetType())];
  if (bucket != slot) return;
  const int next = next_[static_cast<std::size_t>(slot)];
  bucket = next >= 0 ? next : kGone;
}

}  // namespace zol
