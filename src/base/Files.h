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

// Reads everything from a descriptor that OpenForReading gave (with its size hint) into `content`
// (a std::string or a vector of char), with as few reads as the hint allows. False when `fd` is not
// open or a read fails; `content` then holds what was read.
template <typename Buffer>
bool ReadAll(const UniqueFd& fd, std::size_t capacity, Buffer& content) {
  content.clear();
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

// ReadAll on the file at `path`: false also when it cannot be opened.
template <typename Buffer>
bool ReadWholeFile(const std::string& path, Buffer& content) {
  std::size_t capacity = 0;
  const UniqueFd fd = OpenForReading(path, capacity);
  return ReadAll(fd, capacity, content);
}

}  // namespace zol

#endif
