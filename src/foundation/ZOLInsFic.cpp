#include "ZOLInsFic.h"

#include <algorithm>
#include <climits>

#include "base/LineReader.h"

namespace {

// One pass over the file; the same figures as reading it byte by byte.
void Measure(const ZOLUnicodeString& path, int& nbLines, int& maxSize) {
  nbLines = 0;
  std::size_t longest = 0;
  zol::LineReader reader(path.str());
  std::string_view line;
  bool newline = false;
  while (reader.Next(line, newline)) {
    longest = std::max(longest, line.size() + (newline ? 1 : 0));
    if (newline) ++nbLines;
  }
  const std::size_t limit = static_cast<std::size_t>(INT_MAX) - 32;
  maxSize = static_cast<int>(std::min(longest, limit)) + 32;
}

}  // namespace

int ZOLInsFicMaxSizeLine(ZOLUnicodeString& path) {
  int nbLines = 0;
  int maxSize = 32;
  Measure(path, nbLines, maxSize);
  return maxSize;
}

int ZOLInsFicGetInfo(ZOLUnicodeString& path, int& nbLines, int& maxSize) {
  Measure(path, nbLines, maxSize);
  return maxSize;
}
