#ifndef ZOL_STRING_H
#define ZOL_STRING_H

#include <string>

#include "ZOLINSExport.h"

// One character, as the string operations take it (fill and strip characters).
class ZOLINS_EXPORT ZOLUnicodeChar {
 public:
  ZOLUnicodeChar(char c = ' ') : c_(c) {}
  char GetChar() const { return c_; }

 private:
  char c_;
};

// Narrow text: catalogue names and message keys.
class ZOLINS_EXPORT ZOLString {
 public:
  ZOLString(const char* text = nullptr) : text_(text ? text : "") {}
  // The text, NUL-terminated, owned by this object.
  const char* GetText() const { return text_.c_str(); }

 private:
  std::string text_;
};

#endif
