#include "integrity/FileSum.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "integrity/ByteSum.h"

namespace zol {

std::optional<std::uint32_t> SumFileBytes(int fd, std::uint64_t size) {
  const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(size, kFileSumChunk));
  // Not zero-filled: every byte summed has just been read into it.
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[chunk > 0 ? chunk : 1]);
  if (size > kFileSumChunk) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  std::uint32_t sum = 0;
  while (size > 0) {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, chunk));
    const ssize_t got = ::read(fd, buffer.get(), wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    sum += ByteSum(buffer.get(), static_cast<std::size_t>(got));
    size -= static_cast<std::uint64_t>(got);
  }
  return sum;
}

}  // namespace zol
