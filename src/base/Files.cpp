#include "base/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zol {

UniqueFd OpenForReading(const std::string& path, std::size_t& sizeHint) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  sizeHint = std::size_t(1) << 16;
  struct stat info;
  if (fd.valid() && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
    sizeHint = static_cast<std::size_t>(info.st_size) + 1;
  return fd;
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace zol
