#ifndef ZOLINS_BASE_FILES_H
#define ZOLINS_BASE_FILES_H

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <string>

#include "base/UniqueFd.h"

namespace zol {

// The one way the library opens a file it reads. Only a regular file is opened: `path` is
// examined with stat(2) first (opening a device can act on it), then opened read-only,
// close-on-exec and without blocking (a FIFO put there meanwhile must not hang the caller), and
// kept when fstat(2) still shows a regular file; `info`, when given, gets that fstat. Anything else
// gives an invalid descriptor with errno telling why: stat(2)'s, open(2)'s or fstat(2)'s error,
// EISDIR for a directory, EINVAL for any other file that is not regular. Callers report all of
// these as a file that cannot be read. O_NONBLOCK stays set: it changes nothing for a regular file.
UniqueFd OpenForReading(const std::string& path, struct stat* info = nullptr);
// Whether the errno that OpenForReading left means that the file is there but is not a regular
// file.
inline bool IsNotRegularFile(int error) {
  return error == EISDIR || error == EINVAL;
}
// The same, with `sizeHint` set for ReadAll: the file's size plus one (so that one read sees the
// end), or a chunk size when the size is 0 or the file could not be opened.
UniqueFd OpenForReading(const std::string& path, std::size_t& sizeHint);

// The one read loop: read(2) retried on EINTR. Returns what read(2) returns.
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

// The one way to read a whole file: OpenForReading then ReadAll. False also when the file cannot
// be opened or is not a regular file (`content` is then empty).
template <typename Buffer>
bool ReadWholeFile(const std::string& path, Buffer& content) {
  std::size_t capacity = 0;
  const UniqueFd fd = OpenForReading(path, capacity);
  return ReadAll(fd, capacity, content);
}

}  // namespace zol

#endif
