#include "base/PathList.h"

namespace zol {

std::vector<std::string_view> SplitPathList(std::string_view list, EmptyEntry rule) {
  std::vector<std::string_view> entries;
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (!entry.empty()) {
      entries.push_back(entry);
    } else if (rule == EmptyEntry::kEnds) {
      break;
    }
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return entries;
}

}  // namespace zol
