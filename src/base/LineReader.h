#ifndef ZOLINS_BASE_LINE_READER_H
#define ZOLINS_BASE_LINE_READER_H

#include <string>
#include <string_view>
#include <vector>

#include "base/UniqueFd.h"

namespace zol {

// The one line reader: reads a text file line by line, lines of any length, through one growing
// buffer. The file is opened with OpenForReading: a file that is not regular is not open.
class LineReader {
 public:
  explicit LineReader(const std::string& path);

  // False when the file could not be opened or is not a regular file: a file that cannot be read.
  bool IsOpen() const { return fd_.valid(); }
  // The next line without its line feed, valid until the next call; `hadNewline` tells whether the
  // line ended with one (only the last line of a file can lack it). False at the end of the file
  // or after a read error (see Failed).
  bool Next(std::string_view& line, bool& hadNewline);
  bool Failed() const { return failed_; }

 private:
  bool Fill();

  UniqueFd fd_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::size_t scanned_ = 0;  // bytes after begin_ already known to hold no line feed
  bool eof_ = false;
  bool failed_ = false;
};

}  // namespace zol

#endif
