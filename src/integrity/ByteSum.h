#ifndef ZOLINS_INTEGRITY_BYTE_SUM_H
#define ZOLINS_INTEGRITY_BYTE_SUM_H

#include <cstddef>
#include <cstdint>

namespace zol {

// The sum of the `size` bytes at `data`, each taken as unsigned, modulo 2^32. Sums of consecutive
// pieces added together (with wrap-around) give the sum of the whole.
std::uint32_t ByteSum(const unsigned char* data, std::size_t size);

}  // namespace zol

#endif
