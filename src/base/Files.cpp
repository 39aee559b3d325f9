#include "base/Files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zol {
namespace {

// 0 for a regular file, else the errno that refuses it.
int RefusalOf(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return 0;
  return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
}

}  // namespace

UniqueFd OpenForReading(const std::string& path, struct stat* info) {
  struct stat own;
  struct stat& status = info ? *info : own;
  // Opening a device can act on it (a tape rewinds, a watchdog starts): what is not a regular file
  // is refused before it is opened. The check after the open covers a file replaced in between.
  if (::stat(path.c_str(), &status) != 0) return UniqueFd();
  int error = RefusalOf(status);
  if (error == 0) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return fd;
    if (::fstat(fd.get(), &status) != 0) {
      error = errno;
    } else if ((error = RefusalOf(status)) == 0) {
      return fd;
    }
  }
  errno = error;
  return UniqueFd();
}

UniqueFd OpenForReading(const std::string& path, std::size_t& sizeHint) {
  struct stat info;
  UniqueFd fd = OpenForReading(path, &info);
  sizeHint = std::size_t(1) << 16;
  if (fd.valid() && info.st_size > 0) sizeHint = static_cast<std::size_t>(info.st_size) + 1;
  return fd;
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace zol
