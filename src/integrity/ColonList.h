#ifndef ZOLINS_INTEGRITY_COLON_LIST_H
#define ZOLINS_INTEGRITY_COLON_LIST_H

#include <string_view>

namespace zol {

// Whether ":" + entry + ":" occurs in `list`: the lists of the integrity check (skipped files,
// checked base names) are entries each followed by ":", after a leading ":".
bool ColonListHas(std::string_view list, std::string_view entry);

}  // namespace zol

#endif
