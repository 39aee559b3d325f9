#ifndef ZOLINS_MEDIA_IFREQ_KEY_H
#define ZOLINS_MEDIA_IFREQ_KEY_H

#include <cstring>
#include <functional>
#include <string_view>

#include "ZOLINSIfreq.h"

namespace zol {

// Conditional prerequisites held by reference in the working lists are one entry when their PL
// and UB texts are equal, as ComparIfreq compares them, whichever record carries them.
struct IfreqHash {
  std::size_t operator()(const ZOLINSIfreq* entry) const {
    const std::hash<std::string_view> hash;
    return hash(entry->GetPL()) * 31 + hash(entry->GetUB());
  }
};

struct IfreqEqual {
  bool operator()(const ZOLINSIfreq* a, const ZOLINSIfreq* b) const {
    return std::strcmp(a->GetPL(), b->GetPL()) == 0 && std::strcmp(a->GetUB(), b->GetUB()) == 0;
  }
};

}  // namespace zol

#endif
