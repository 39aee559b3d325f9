#ifndef ZOL_UNICODE_STRING_H
#define ZOL_UNICODE_STRING_H

#include <string>

#include "ZOLINSExport.h"
#include "ZOLString.h"

// Owned text of any length. The library stores bytes as they are read from files; positions and
// lengths count bytes.
class ZOLINS_EXPORT ZOLUnicodeString {
 public:
  ZOLUnicodeString() = default;
  // A null text gives the empty string.
  ZOLUnicodeString(const char* text);
  ZOLUnicodeString(const char* text, int length);
  // `count` copies of `c` (none when count <= 0).
  ZOLUnicodeString(const ZOLUnicodeChar& c, int count);
  explicit ZOLUnicodeString(std::string text) : text_(std::move(text)) {}

  ZOLUnicodeString& operator=(const char* text);

  bool operator==(const ZOLUnicodeString& other) const { return text_ == other.text_; }
  bool operator!=(const ZOLUnicodeString& other) const { return text_ != other.text_; }

  // The text, NUL-terminated, owned by this string and valid until it next changes.
  const char* ConvertToChar() const { return text_.c_str(); }
  int GetLengthInChar() const { return static_cast<int>(text_.size()); }

  ZOLUnicodeString& Append(const ZOLUnicodeString& text);
  ZOLUnicodeString& Append(const char* text);
  ZOLUnicodeString& Append(const char* text, int length);

  // `length` characters from `start`; a negative length means up to the end. Out-of-range
  // positions are clamped to the text.
  ZOLUnicodeString SubString(int start, int length) const;
  // Cuts the text to `n` characters or pads it with `fill`. `flag` is accepted for compatibility
  // and has no effect.
  void Resize(int n, const ZOLUnicodeChar& fill, int flag);
  // Replaces every occurrence of `from` from left to right; inserted text is not searched again.
  // Returns the number of replacements.
  int ReplaceAll(const ZOLUnicodeString& from, const ZOLUnicodeString& to);
  // Replaces the first occurrence of `from`. Returns 1 when one was replaced, else 0.
  int ReplaceSubString(const ZOLUnicodeString& from, const ZOLUnicodeString& to);

  // A copy without the character `c` repeated at the ends: mode 1 the leading end, mode 2 the
  // trailing end, mode 3 both ends. Any other mode gives an unchanged copy.
  ZOLUnicodeString Strip(int mode, const ZOLUnicodeChar& c) const;

  // Position of `text`, or -1. Mode 1 searches forward from `start`; mode 2 backward for the last
  // occurrence beginning at or before `start` (a negative `start` means from the end).
  int SearchSubString(const ZOLUnicodeString& text, int start, int mode) const;

  // Replaces the text with the number formatted by `format` (a printf format for one number).
  ZOLUnicodeString& BuildFromNum(int n, const char* format);
  ZOLUnicodeString& BuildFromNum(unsigned int n, const char* format);

  // Parses the whole text (blanks around it allowed) as a decimal number: "%d" for a signed and
  // "%u" for an unsigned 32-bit value ("%u" takes a leading '-' modulo 2^32, as strtoul does).
  // Returns 1 and stores the value, or returns 0 and stores 0 when the text is empty, holds
  // anything else or does not fit.
  int ConvertToNum(int* n, const char* format) const;
  int ConvertToNum(unsigned int* n, const char* format) const;

  // The text as a standard string, for code that builds on it.
  const std::string& str() const { return text_; }
  std::string& str() { return text_; }

 private:
  std::string text_;
};

#endif
