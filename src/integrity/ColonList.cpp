#include "integrity/ColonList.h"

#include "ZOLINSIntegrity.h"

namespace zol {

bool ColonListHas(std::string_view list, std::string_view entry) {
  // Looks at what follows each ":" rather than building the needle, as this runs once per listed
  // file.
  const std::size_t size = entry.size();
  for (std::size_t colon = list.find(':'); colon != std::string_view::npos;
       colon = list.find(':', colon + 1)) {
    const std::size_t end = colon + 1 + size;
    if (end < list.size() && list[end] == ':' && list.compare(colon + 1, size, entry) == 0)
      return true;
  }
  return false;
}

}  // namespace zol

int TestChecked(char* name, ZOLUnicodeString& checked) {
  if (zol::ColonListHas(checked.str(), name ? name : "")) return 1;
  if (!name) return 0;
  checked.str().append(name).append(1, ':');
  return 0;
}
