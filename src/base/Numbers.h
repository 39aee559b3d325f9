#ifndef ZOLINS_BASE_NUMBERS_H
#define ZOLINS_BASE_NUMBERS_H

#include <string_view>

namespace zol {

// Decimal conversions shared by every parser of the library. The whole text must be the number,
// with blanks allowed around it; nothing is stored on failure.
bool ParseInt(std::string_view text, int& value);
// Accepts a leading '-' and wraps modulo 2^32, as strtoul does for 32-bit values.
bool ParseUnsigned(std::string_view text, unsigned int& value);

// The number formed by the decimal digits at the start of `text` (0 when there are none),
// saturating at the largest int.
int LeadingDigits(std::string_view text);

}  // namespace zol

#endif
