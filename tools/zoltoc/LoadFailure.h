#ifndef ZOLTOC_LOAD_FAILURE_H
#define ZOLTOC_LOAD_FAILURE_H

#include <string>

#include "Common.h"

namespace zoltoc {

// Why the TOC file `path` did not load: the library's message, with the file, the line and the
// element that the tool finds by reading the file again (empty files, files without a line feed,
// directories, records that do not parse, mismatched levels, names recorded twice). `media`
// tells a media TOC (three prefix fields per line) from a PRESENT file.
Failure LoadFailure(const std::string& path, const std::string& libraryMessage, bool media);

// Warns when the file's last line has no line feed: the loaders read terminated lines only, so
// that line (number `lines` + 1) was left out.
void WarnUnterminated(const std::string& path, int lines);

}  // namespace zoltoc

#endif
