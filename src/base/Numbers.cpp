#include "base/Numbers.h"

#include <climits>
#include <cstdint>

#include "base/Text.h"

namespace zol {
namespace {

// Splits an optional sign off and reads the digits; fails on anything else or past `limit`.
bool ParseMagnitude(std::string_view text, bool& negative, std::uint64_t& magnitude,
                    std::uint64_t limit) {
  text = TrimAny(text, " \t");
  negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
    if (magnitude > limit) return false;
  }
  return true;
}

// The usual number of a TOC line: one to nine digits alone, which fit either type. Sparing it the
// trimming, the sign and the overflow checks halves the cost of loading a table's numbers.
bool PlainDigits(std::string_view text, std::uint32_t& value) {
  if (text.empty() || text.size() > 9) return false;
  std::uint32_t sum = 0;
  for (char c : text) {
    const unsigned digit = static_cast<unsigned char>(c) - static_cast<unsigned>('0');
    if (digit > 9) return false;
    sum = sum * 10 + digit;
  }
  value = sum;
  return true;
}

}  // namespace

bool ParseInt(std::string_view text, int& value) {
  std::uint32_t plain = 0;
  if (PlainDigits(text, plain)) {
    value = static_cast<int>(plain);
    return true;
  }
  bool negative = false;
  std::uint64_t magnitude = 0;
  const std::uint64_t limit = static_cast<std::uint64_t>(INT_MAX) + 1;
  if (!ParseMagnitude(text, negative, magnitude, limit)) return false;
  if (!negative && magnitude == limit) return false;
  value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<int>(magnitude);
  return true;
}

bool ParseUnsigned(std::string_view text, unsigned int& value) {
  std::uint32_t plain = 0;
  if (PlainDigits(text, plain)) {
    value = plain;
    return true;
  }
  bool negative = false;
  std::uint64_t magnitude = 0;
  if (!ParseMagnitude(text, negative, magnitude, UINT_MAX)) return false;
  const auto narrow = static_cast<unsigned int>(magnitude);
  value = negative ? 0u - narrow : narrow;
  return true;
}

int LeadingDigits(std::string_view text) {
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

}  // namespace zol
