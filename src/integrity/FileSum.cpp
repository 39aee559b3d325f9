#include "integrity/FileSum.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <new>

#include "base/Files.h"
#include "integrity/ByteSum.h"
#include "integrity/Interrupt.h"

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

OpenedFile OpenRegularFile(const std::string& path) {
  OpenedFile file;
  struct stat info;
  file.fd = OpenForReading(path, &info);
  if (!file.fd.valid())
    file.failure = IsNotRegularFile(errno) ? OpenedFile::Failure::kNotRegular
                                           : OpenedFile::Failure::kOpen;
  else
    file.size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  return file;
}

std::optional<std::uint32_t> SumFileBytes(int fd, std::uint64_t size, bool* interrupted) {
  const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(size, kFileSumChunk));
  const auto buffer = PageAlignedBuffer(chunk);
  if (size > kFileSumChunk) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  std::uint32_t sum = 0;
  for (bool first = true; size > 0; first = false) {
    // A large file is given up between two reads once an interrupt is caught.
    if (interrupted && !first && InterruptCaught()) return *interrupted = true, std::nullopt;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, chunk));
    const ssize_t got = ReadSome(fd, reinterpret_cast<char*>(buffer.get()), wanted);
    if (got <= 0) return std::nullopt;
    sum += ByteSum(buffer.get(), static_cast<std::size_t>(got));
    size -= static_cast<std::uint64_t>(got);
  }
  return sum;
}

std::optional<std::uint32_t> SumOfOpenFile(const OpenedFile& file, bool* interrupted) {
  // The size is taken once, at the open: bytes appended while the file is read are not summed, and
  // a file that shrinks meanwhile counts as unreadable.
  if (file.failure != OpenedFile::Failure::kNone) return std::nullopt;
  if (file.size == 0) return 0;
  try {
    const std::optional<std::uint32_t> sum = SumFileBytes(file.fd.get(), file.size, interrupted);
    if (sum && *sum == kUnreadableSum) return std::nullopt;
    return sum;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace zol
