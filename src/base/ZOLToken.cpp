#include "ZOLToken.h"

#include "base/Text.h"

ZOLToken::ZOLToken(const ZOLUnicodeString& text) : text_(text.str()) {}

ZOLToken::ZOLToken(ZOLUnicodeString&& text) : text_(std::move(text.str())) {}

ZOLUnicodeString ZOLToken::GetNextToken(const ZOLUnicodeString& separators) {
  if (pos_ >= text_.size()) return ZOLUnicodeString();
  const std::size_t end =
      separators.str().empty() ? std::string::npos : text_.find_first_of(separators.str(), pos_);
  const std::size_t stop = end == std::string::npos ? text_.size() : end;
  ZOLUnicodeString token(text_.substr(pos_, stop - pos_));
  pos_ = end == std::string::npos ? text_.size() : end + 1;
  return token;
}

ZOLUnicodeString ZOLToken::GetNextToken() {
  return ZOLUnicodeString(std::string(NextWordView()));
}

std::string_view ZOLToken::NextView(char separator) {
  if (pos_ >= text_.size()) return std::string_view();
  const std::size_t end = text_.find(separator, pos_);
  const std::size_t stop = end == std::string::npos ? text_.size() : end;
  const std::string_view token(text_.data() + pos_, stop - pos_);
  pos_ = end == std::string::npos ? text_.size() : end + 1;
  return token;
}

std::string_view ZOLToken::NextWordView() {
  return zol::NextWord(text_, pos_);
}
