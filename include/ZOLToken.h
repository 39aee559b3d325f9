#ifndef ZOL_TOKEN_H
#define ZOL_TOKEN_H

#include <cstddef>
#include <string>
#include <string_view>

#include "ZOLINSExport.h"
#include "ZOLUnicodeString.h"

// A tokenizer over its own copy of a text, positioned at the start.
class ZOLINS_EXPORT ZOLToken {
 public:
  explicit ZOLToken(const ZOLUnicodeString& text);
  explicit ZOLToken(ZOLUnicodeString&& text);

  // The text up to the next character that is one of `separators` (possibly empty), moving past
  // that separator. Once the text is used up every call returns the empty string.
  ZOLUnicodeString GetNextToken(const ZOLUnicodeString& separators);
  // The next word separated by blanks, skipping blanks before it; empty when no word is left.
  ZOLUnicodeString GetNextToken();
  // The same two operations without a copy: views into the tokenizer's text, valid while it lives.
  std::string_view NextView(char separator);
  std::string_view NextWordView();
  // 1 while some text is left after the current position, else 0.
  int HasMoreText() const { return pos_ < text_.size() ? 1 : 0; }

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

#endif
