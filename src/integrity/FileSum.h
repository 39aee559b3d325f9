#ifndef ZOLINS_INTEGRITY_FILE_SUM_H
#define ZOLINS_INTEGRITY_FILE_SUM_H

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zol {

// Bytes asked of each read(2): small enough that the bytes are still in the core's cache when
// they are summed right after the copy, large enough that the calls themselves cost little.
inline constexpr std::size_t kFileSumChunk = 512 * 1024;

// The byte sum (see ByteSum) of the first `size` bytes of the open file `fd`, read from its current
// offset in chunks of at most kFileSumChunk, so that files of any size are summed in bounded
// memory. Nothing when a read fails or the file ends before `size` bytes; std::bad_alloc when no
// buffer can be had.
std::optional<std::uint32_t> SumFileBytes(int fd, std::uint64_t size);

// ZOLCalcCheckSum of a file that is already open (at its start): its byte sum, 0 when it is
// empty, 1 when it cannot be read. The bytes summed are added to *bytesRead when given.
unsigned long CheckSumOfOpenFile(int fd, long long* bytesRead = nullptr);

}  // namespace zol

#endif
