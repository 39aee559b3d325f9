#include "integrity/ListLine.h"

#include <algorithm>
#include <cstdlib>

namespace zol {
namespace {

// The text after the last `c`, empty when `text` holds none.
std::string_view After(std::string_view text, char c) {
  const std::size_t pos = text.rfind(c);
  return pos == std::string_view::npos ? std::string_view() : text.substr(pos + 1);
}

bool IsIndexName(std::string_view lastComponent) {
  if (lastComponent.find('.') == std::string_view::npos) return false;
  const std::string_view extension = After(lastComponent, '.');
  return extension == "QEidx" || extension == "SOLidx";
}

// The line names the list itself, in a directory called "control". A line with fewer than two "/"
// has no directory component before its last one and is never the control file's line.
bool IsSelfLine(std::string_view line, std::string_view lastComponent, std::string_view listName) {
  if (lastComponent != listName) return false;
  const std::size_t slash = line.rfind('/');
  if (slash == std::string_view::npos) return false;
  const std::string_view directory = line.substr(0, slash);
  return directory.find('/') != std::string_view::npos && After(directory, '/') == "control";
}

}  // namespace

// The field keeps the meaning atol has always given it in existing lists: any text it reads as
// non-zero is a checksum, trailing characters and all ("12abc"); of the texts it reads as zero only
// "0" itself is one, and "00", "-0" or a word are errors. strtol is atol without its undefined
// behaviour on overflow.
bool IsChecksumText(const std::string& text) {
  return text == "0" || std::strtol(text.c_str(), nullptr, 10) != 0;
}

ListLine ClassifyListLine(std::string_view line, std::string_view listName) {
  ListLine result;
  std::string_view last = After(line, '/');
  const std::size_t blank = last.find(' ');
  // A blank that ends the line starts no field; it stays part of the path.
  if (blank != std::string_view::npos && blank + 1 < last.size()) {
    if (!IsChecksumText(std::string(last.substr(blank + 1)))) {
      result.badChecksumField = true;
      return result;
    }
    result.hasChecksum = true;
    last = last.substr(0, blank);
  }
  result.isIndex = !result.hasChecksum && IsIndexName(last);
  result.isSelf = IsSelfLine(line, last, listName);
  return result;
}

int ClimbCount(std::string_view selfLine) {
  return static_cast<int>(std::count(selfLine.begin(), selfLine.end(), '/')) - 1;
}

}  // namespace zol
