#include "integrity/FileSum.h"

#include <fcntl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#include "base/Files.h"
#include "integrity/ByteSum.h"

namespace zol {
namespace {

constexpr std::size_t kPageSize = 4096;

struct FreeBuffer {
  void operator()(unsigned char* p) const { std::free(p); }
};

// Not zero-filled: every byte summed has just been read into it. Page-aligned, because the kernel
// copies out of the page cache markedly faster into a page-aligned buffer.
std::unique_ptr<unsigned char, FreeBuffer> PageAlignedBuffer(std::size_t size) {
  const std::size_t rounded = (size + kPageSize - 1) / kPageSize * kPageSize;
  void* p = std::aligned_alloc(kPageSize, rounded > 0 ? rounded : kPageSize);
  if (!p) throw std::bad_alloc();
  return std::unique_ptr<unsigned char, FreeBuffer>(static_cast<unsigned char*>(p));
}

}  // namespace

std::optional<std::uint32_t> SumFileBytes(int fd, std::uint64_t size) {
  const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(size, kFileSumChunk));
  const auto buffer = PageAlignedBuffer(chunk);
  if (size > kFileSumChunk) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  std::uint32_t sum = 0;
  while (size > 0) {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, chunk));
    const ssize_t got = ReadSome(fd, reinterpret_cast<char*>(buffer.get()), wanted);
    if (got <= 0) return std::nullopt;
    sum += ByteSum(buffer.get(), static_cast<std::size_t>(got));
    size -= static_cast<std::uint64_t>(got);
  }
  return sum;
}

}  // namespace zol
