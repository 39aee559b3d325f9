#ifndef ZOLINS_BASE_PATH_LIST_H
#define ZOLINS_BASE_PATH_LIST_H

#include <string_view>
#include <vector>

namespace zol {

// What an empty entry of a ":"-separated list means (as in "a::b", ":a" or "a:").
enum class EmptyEntry {
  kSkip,  // it is left out and the list goes on
  kEnds,  // it ends the list: the entries before it are the list
};

// The one splitter of ":"-separated lists (installation roots, directories of reference files or
// catalogues). The entries, in order, as views into `list`; empty ones follow `rule`.
std::vector<std::string_view> SplitPathList(std::string_view list, EmptyEntry rule);

}  // namespace zol

#endif
