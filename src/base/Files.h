#ifndef ZOLINS_BASE_FILES_H
#define ZOLINS_BASE_FILES_H

#include <sys/types.h>

#include <cstddef>
#include <string>

#include "base/UniqueFd.h"

namespace zol {

// Opens a file for reading; `sizeHint` gets its size plus one when it is a regular file (so that
// one read sees the end), else a chunk size.
UniqueFd OpenForReading(const std::string& path, std::size_t& sizeHint);
// read(2) retried on EINTR.
ssize_t ReadSome(int fd, char* buffer, std::size_t size);

// Reads the whole file into `content` (a std::string or a vector of char), with as few reads as
// its size allows. False when the file cannot be opened or a read fails; `content` then holds what
// was read.
template <typename Buffer>
bool ReadWholeFile(const std::string& path, Buffer& content) {
  content.clear();
  std::size_t capacity = 0;
  const UniqueFd fd = OpenForReading(path, capacity);
  if (!fd.valid()) return false;
  std::size_t used = 0;
  for (;;) {
    if (used == content.size()) content.resize(used ? used * 2 : capacity);
    const ssize_t got = ReadSome(fd.get(), &content[used], content.size() - used);
    if (got <= 0) {
      content.resize(used);
      return got == 0;
    }
    used += static_cast<std::size_t>(got);
  }
}

}  // namespace zol

#endif
