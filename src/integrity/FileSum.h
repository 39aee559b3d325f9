#ifndef ZOLINS_INTEGRITY_FILE_SUM_H
#define ZOLINS_INTEGRITY_FILE_SUM_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/UniqueFd.h"

namespace zol {

// Bytes asked of each read(2): small enough that the bytes are still in the core's cache when
// they are summed right after the copy, large enough that the calls themselves cost little.
inline constexpr std::size_t kFileSumChunk = 512 * 1024;

// A file of the installation opened to be read, through base's OpenForReading (regular files only,
// never blocking), with its size taken once. The one place where integrity/ opens a file to read.
struct OpenedFile {
  enum class Failure { kNone, kOpen, kNotRegular };
  UniqueFd fd;
  std::uint64_t size = 0;
  Failure failure = Failure::kNone;
};
OpenedFile OpenRegularFile(const std::string& path);

// The byte sum (see ByteSum) of the first `size` bytes of the open file `fd`, read from its current
// offset in chunks of at most kFileSumChunk, so that files of any size are summed in bounded
// memory. Nothing when a read fails or the file ends before `size` bytes; with `interrupted` given,
// also when an interrupt is caught between two reads, which sets *interrupted. std::bad_alloc when
// no buffer can be had.
std::optional<std::uint32_t> SumFileBytes(int fd, std::uint64_t size, bool* interrupted);

// What ZOLCalcCheckSum gives for a file that cannot be read. A file whose bytes add up to 1 cannot
// be told from one that could not be read, and every user of a checksum takes it as unreadable.
inline constexpr unsigned long kUnreadableSum = 1;

// The checksum of a regular file opened by OpenRegularFile: 0 when it is empty; nothing when it
// cannot be read, when its sum is kUnreadableSum, or when an interrupt stopped the read (only with
// `interrupted` given, as SumFileBytes: the integrity check's reads stop, ZOLCalcCheckSum's don't).
std::optional<std::uint32_t> SumOfOpenFile(const OpenedFile& file, bool* interrupted);

}  // namespace zol

#endif
