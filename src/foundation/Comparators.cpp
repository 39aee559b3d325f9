#include <cstring>

#include "ZOLINSCompar.h"
#include "ZOLINSIfreq.h"

int ComparString(const void* a, const void* b) {
  return std::strcmp(static_cast<const char*>(a), static_cast<const char*>(b));
}

int ComparStringRevert(const void* a, const void* b) {
  return ComparString(b, a);
}

int ComparString2(const void* a, const void* b) {
  const std::size_t la = std::strlen(static_cast<const char*>(a));
  const std::size_t lb = std::strlen(static_cast<const char*>(b));
  if (la != lb) return la > lb ? -1 : 1;
  return ComparString(a, b);
}

int ComparStringPointer(const void* a, const void* b) {
  return std::strcmp(*static_cast<const char* const*>(a), *static_cast<const char* const*>(b));
}

int ComparNum(const void* a, const void* b) {
  // The difference wraps as a 32-bit value would, without signed overflow.
  const unsigned int x = static_cast<unsigned int>(*static_cast<const int*>(a));
  const unsigned int y = static_cast<unsigned int>(*static_cast<const int*>(b));
  return static_cast<int>(x - y);
}

int ComparIfreq(const void* a, const void* b) {
  if (!a || !b) return -1;
  const ZOLINSIfreq* x = *static_cast<const ZOLINSIfreq* const*>(a);
  const ZOLINSIfreq* y = *static_cast<const ZOLINSIfreq* const*>(b);
  if (!x || !y) return -1;
  const int pl = std::strcmp(x->GetPL(), y->GetPL());
  return pl != 0 ? pl : std::strcmp(x->GetUB(), y->GetUB());
}
