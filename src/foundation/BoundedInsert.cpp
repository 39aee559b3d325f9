#include "foundation/BoundedInsert.h"

#include <cstring>

namespace zol {

void* BoundedInsert(const void* key, void* base, int* count, std::size_t width, int capacity,
                    Comparator compare) {
  char* bytes = static_cast<char*>(base);
  for (int i = 0; i < *count; ++i) {
    char* element = bytes + static_cast<std::size_t>(i) * width;
    if (compare(key, element) == 0) return element;
  }
  if (*count >= capacity) return nullptr;
  char* slot = bytes + static_cast<std::size_t>(*count) * width;
  std::memmove(slot, key, width);
  ++*count;
  return slot;
}

}  // namespace zol
