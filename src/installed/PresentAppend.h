#ifndef ZOLINS_INSTALLED_PRESENT_APPEND_H
#define ZOLINS_INSTALLED_PRESENT_APPEND_H

#include <string>

namespace zol {

// Records one element's line (without its line feed) at the end of PRESENT, under the file
// writer's rule: a PRESENT that can be replaced gets its old content plus the line through a
// temporary file and a rename, so a failure leaves it as it was, never with a cut-off line; any
// other target gets the line appended in place. A last line without its line feed gets one first.
// The caller holds the installation lock.
//
// When PRESENT loads, it is kept loadable: an element it already holds with the line's type is not
// appended again (0, nothing written; when it is the last line, without its line feed, the line
// feed is added), and a line that would put more names in one of its lists than a load accepts is
// refused with a message on standard error (-200, nothing written), as is any line after a last
// line that, completed, would repeat a record or not parse.
// Returns 0, -200 when PRESENT cannot be examined, read or opened, -112 when the write failed.
int AppendPresentLine(const char* presentPath, const char* name, std::string record);

}  // namespace zol

#endif
