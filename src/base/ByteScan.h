#ifndef ZOLINS_BASE_BYTE_SCAN_H
#define ZOLINS_BASE_BYTE_SCAN_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zol {

// Searches for one byte sixteen bytes at a time where the processor compares vectors (every
// x86-64 does), else eight at a time in plain 64-bit arithmetic. TOC fields are a few bytes to a
// few hundred: a byte loop costs several instructions per byte, and a library search a call per
// field, which is more than the field costs to scan.
namespace bytescan {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fULL;

// The high bit of each byte of `word` that equals `byte`, and no other bit (no false matches:
// the carries of the addition stay within each byte).
inline std::uint64_t Matches(std::uint64_t word, unsigned char byte) {
  const std::uint64_t x = word ^ (kOnes * byte);
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The index, in memory order, of the first byte flagged in a non-zero `Matches` result.
inline std::size_t FirstFlagged(std::uint64_t flags) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  return static_cast<std::size_t>(__builtin_clzll(flags)) / 8;
#else
  return static_cast<std::size_t>(__builtin_ctzll(flags)) / 8;
#endif
}

inline std::uint64_t Load(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

}  // namespace bytescan

// The position of the first `byte` of `text` at or after `from`, or text.size() when there is
// none. Reads nothing outside `text`.
inline std::size_t FindByte(std::string_view text, std::size_t from, char byte) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  const auto wanted = static_cast<unsigned char>(byte);
#if defined(__SSE2__)
  const __m128i pattern = _mm_set1_epi8(byte);
  while (from + 16 <= size) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
    const unsigned flags = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, pattern)));
    if (flags) return from + static_cast<std::size_t>(__builtin_ctz(flags));
    from += 16;
  }
  if (from < size && size >= 16) {
    // The last sixteen bytes of the text, of which the flags of those before `from` are dropped:
    // the end of a line or a field costs one compare rather than a loop.
    const std::size_t last = size - 16;
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + last));
    const unsigned flags =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, pattern))) >> (from - last);
    return flags ? from + static_cast<std::size_t>(__builtin_ctz(flags)) : size;
  }
#endif
  while (from + 8 <= size) {
    const std::uint64_t flags = bytescan::Matches(bytescan::Load(data + from), wanted);
    if (flags) return from + bytescan::FirstFlagged(flags);
    from += 8;
  }
  while (from < size && data[from] != byte) ++from;
  return from;
}

}  // namespace zol

#endif
