#include <sys/stat.h>

#include <new>

#include "ZOLCheckSum.h"
#include "base/Files.h"
#include "integrity/FileSum.h"

namespace {
// Callers cannot tell a file whose bytes add up to 1 from one that could not be read.
constexpr unsigned long kUnreadable = 1;
}  // namespace

namespace zol {

unsigned long CheckSumOfOpenFile(int fd, long long* bytesRead) {
  // The size is taken once, up front: bytes appended while the file is read are not summed, and a
  // file that shrinks meanwhile counts as unreadable.
  struct stat info;
  if (::fstat(fd, &info) != 0) return kUnreadable;
  if (info.st_size <= 0) return 0;
  try {
    const std::optional<std::uint32_t> sum =
        SumFileBytes(fd, static_cast<std::uint64_t>(info.st_size));
    if (sum && bytesRead) *bytesRead += info.st_size;
    return sum ? *sum : kUnreadable;
  } catch (const std::bad_alloc&) {
    return kUnreadable;
  }
}

}  // namespace zol

unsigned long ZOLCalcCheckSum(char* path) {
  if (!path) return kUnreadable;
  const zol::UniqueFd fd = zol::OpenForReading(path);
  if (!fd.valid()) return kUnreadable;
  return zol::CheckSumOfOpenFile(fd.get());
}
