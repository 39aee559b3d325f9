#include "integrity/ByteSum.h"

#include <algorithm>

// The loop below is written for the auto-vectoriser; this file is always compiled with -O3 (see
// src/CMakeLists.txt). Where the toolchain can dispatch at load time, the function is also built
// for wider vector units and the best one the processor has is chosen; not under ThreadSanitizer,
// whose instrumented resolver would run before its runtime is set up.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__GLIBC__) && \
    !defined(__SANITIZE_THREAD__)
#define ZOLINS_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define ZOLINS_VECTOR_CLONES
#endif

namespace zol {
namespace {

// Bytes go into 16-bit lanes, the narrowest lanes that hold a sum of many of them; 256 rounds add
// at most 256 * 255 = 65280 to a lane, so a lane cannot wrap before it is emptied into the total.
constexpr std::size_t kLanes = 64;
constexpr std::size_t kRounds = 256;

}  // namespace

ZOLINS_VECTOR_CLONES
std::uint32_t ByteSum(const unsigned char* data, std::size_t size) {
  std::uint64_t total = 0;
  while (size >= kLanes) {
    const std::size_t rounds = std::min(size / kLanes, kRounds);
    std::uint16_t lanes[kLanes] = {};
    for (std::size_t r = 0; r < rounds; ++r) {
      for (std::size_t j = 0; j < kLanes; ++j) lanes[j] += data[r * kLanes + j];
    }
    for (std::uint16_t lane : lanes) total += lane;
    data += rounds * kLanes;
    size -= rounds * kLanes;
  }
  for (std::size_t i = 0; i < size; ++i) total += data[i];
  return static_cast<std::uint32_t>(total);
}

}  // namespace zol
