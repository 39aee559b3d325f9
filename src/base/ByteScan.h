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

// FindEither, and FindByte when `kEither` is false (`b` is then not looked for). Inlined in
// every loop that calls it: as a call it costs as much again.
template <bool kEither>
[[gnu::always_inline]] inline std::size_t Find(std::string_view text, std::size_t from, char a,
                                               char b) {
  const char* const data = text.data();
  const std::size_t size = text.size();
#if defined(__SSE2__)
  const __m128i patternA = _mm_set1_epi8(a), patternB = _mm_set1_epi8(b);
  const auto flagsAt = [&](std::size_t at) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    __m128i equal = _mm_cmpeq_epi8(chunk, patternA);
    if constexpr (kEither) equal = _mm_or_si128(equal, _mm_cmpeq_epi8(chunk, patternB));
    return static_cast<unsigned>(_mm_movemask_epi8(equal));
  };
  while (from + 16 <= size) {
    const unsigned flags = flagsAt(from);
    if (flags) return from + static_cast<std::size_t>(__builtin_ctz(flags));
    from += 16;
  }
  if (from < size && size >= 16) {
    // The last sixteen bytes of the text, of which the flags of those before `from` are dropped:
    // the end of a line or a field costs one compare rather than a loop.
    const std::size_t last = size - 16;
    const unsigned flags = flagsAt(last) >> (from - last);
    return flags ? from + static_cast<std::size_t>(__builtin_ctz(flags)) : size;
  }
#endif
  while (from + 8 <= size) {
    const std::uint64_t word = Load(data + from);
    std::uint64_t flags = Matches(word, static_cast<unsigned char>(a));
    if constexpr (kEither) flags |= Matches(word, static_cast<unsigned char>(b));
    if (flags) return from + FirstFlagged(flags);
    from += 8;
  }
  while (from < size && data[from] != a && (!kEither || data[from] != b)) ++from;
  return from;
}

}  // namespace bytescan

// The position of the first `a` or `b` of `text` at or after `from`, or text.size() when there is
// none. Reads nothing outside `text`.
inline std::size_t FindEither(std::string_view text, std::size_t from, char a, char b) {
  return bytescan::Find<true>(text, from, a, b);
}

// The position of the first `byte` of `text` at or after `from`, or text.size() when there is
// none. Reads nothing outside `text`.
inline std::size_t FindByte(std::string_view text, std::size_t from, char byte) {
  return bytescan::Find<false>(text, from, byte, byte);
}

}  // namespace zol

#endif
