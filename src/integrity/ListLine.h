#ifndef ZOLINS_INTEGRITY_LIST_LINE_H
#define ZOLINS_INTEGRITY_LIST_LINE_H

#include <string>
#include <string_view>

namespace zol {

// What the writer of a control file must know about one line of a file list. The last component is
// the text after the line's last "/" (empty without one); a blank in it may start a checksum field.
struct ListLine {
  bool badChecksumField = false;  // text after the blank that is not a number
  bool hasChecksum = false;       // a number after the blank: the line is copied as it stands
  bool isIndex = false;           // no checksum, and the extension is exactly QEidx or SOLidx
  bool isSelf = false;            // the control file's own line: "control/<list name>"
};

// Classifies `line` (without its line feed) of the list whose file name is `listName`.
ListLine ClassifyListLine(std::string_view line, std::string_view listName);

// Whether `text`, what follows the first blank of a last component, is a checksum field.
bool IsChecksumText(const std::string& text);

// The directories to climb from the list's directory to the base of the listed paths, given the
// control file's own line: one less than its number of "/".
int ClimbCount(std::string_view selfLine);

}  // namespace zol

#endif
