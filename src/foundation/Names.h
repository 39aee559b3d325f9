#ifndef ZOLINS_FOUNDATION_NAMES_H
#define ZOLINS_FOUNDATION_NAMES_H

#include <cstddef>
#include <cstring>
#include <string_view>

#include "ZOLINSTypes.h"

namespace zol {

// Copies at most size - 1 bytes of `text` into `out` and terminates it: the way every fixed text
// field of the library is filled.
inline void CopyCut(char* out, std::size_t size, std::string_view text) {
  const std::size_t n = text.size() < size ? text.size() : size - 1;
  if (n > 0) std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

inline void CopyName(char* out, std::string_view text) {
  CopyCut(out, ZOLINS_NAME_SIZE, text);
}

// The keyword of a type or package value; "" for a value outside the tables.
const char* TypeKeyword(int type);
const char* PackageKeyword(int package);

}  // namespace zol

#endif
