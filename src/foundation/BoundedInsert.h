#ifndef ZOLINS_FOUNDATION_BOUNDED_INSERT_H
#define ZOLINS_FOUNDATION_BOUNDED_INSERT_H

#include <cstddef>

namespace zol {

using Comparator = int (*)(const void*, const void*);

// lsearch with a capacity: the element of `base` (count entries of `width` bytes) equal to `key`
// under `compare`, or else `key` appended at the end and *count increased. Returns null, adding
// nothing, when the key is absent and *count has reached `capacity`.
void* BoundedInsert(const void* key, void* base, int* count, std::size_t width, int capacity,
                    Comparator compare);

}  // namespace zol

#endif
