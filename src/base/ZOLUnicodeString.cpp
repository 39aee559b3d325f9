#include "ZOLUnicodeString.h"

#include <algorithm>
#include <cstdio>

#include "base/Numbers.h"

ZOLUnicodeString::ZOLUnicodeString(const char* text) : text_(text ? text : "") {}

ZOLUnicodeString::ZOLUnicodeString(const char* text, int length)
    : text_(text && length > 0 ? std::string(text, static_cast<std::size_t>(length)) : "") {}

ZOLUnicodeString::ZOLUnicodeString(const ZOLUnicodeChar& c, int count)
    : text_(count > 0 ? static_cast<std::size_t>(count) : 0, c.GetChar()) {}

ZOLUnicodeString& ZOLUnicodeString::operator=(const char* text) {
  text_ = text ? text : "";
  return *this;
}

ZOLUnicodeString& ZOLUnicodeString::Append(const ZOLUnicodeString& text) {
  text_ += text.text_;
  return *this;
}

ZOLUnicodeString& ZOLUnicodeString::Append(const char* text) {
  if (text) text_ += text;
  return *this;
}

ZOLUnicodeString& ZOLUnicodeString::Append(const char* text, int length) {
  if (text && length > 0) text_.append(text, static_cast<std::size_t>(length));
  return *this;
}

ZOLUnicodeString ZOLUnicodeString::SubString(int start, int length) const {
  const std::size_t size = text_.size();
  const std::size_t from = start < 0 ? 0 : std::min(static_cast<std::size_t>(start), size);
  const std::size_t count = length < 0 ? std::string::npos : static_cast<std::size_t>(length);
  return ZOLUnicodeString(text_.substr(from, count));
}

void ZOLUnicodeString::Resize(int n, const ZOLUnicodeChar& fill, int /*flag*/) {
  text_.resize(n > 0 ? static_cast<std::size_t>(n) : 0, fill.GetChar());
}

int ZOLUnicodeString::ReplaceAll(const ZOLUnicodeString& from, const ZOLUnicodeString& to) {
  if (from.text_.empty()) return 0;
  std::size_t pos = text_.find(from.text_);
  if (pos == std::string::npos) return 0;
  std::string out;
  out.reserve(text_.size() + to.text_.size() * 4);
  std::size_t done = 0;
  int count = 0;
  while (pos != std::string::npos) {
    out.append(text_, done, pos - done).append(to.text_);
    done = pos + from.text_.size();
    ++count;
    pos = text_.find(from.text_, done);
  }
  out.append(text_, done, std::string::npos);
  text_.swap(out);
  return count;
}

int ZOLUnicodeString::ReplaceSubString(const ZOLUnicodeString& from, const ZOLUnicodeString& to) {
  if (from.text_.empty()) return 0;
  const std::size_t pos = text_.find(from.text_);
  if (pos == std::string::npos) return 0;
  text_.replace(pos, from.text_.size(), to.text_);
  return 1;
}

ZOLUnicodeString ZOLUnicodeString::Strip(int mode, const ZOLUnicodeChar& c) const {
  if (mode < 1 || mode > 3) return *this;
  std::size_t begin = 0;
  std::size_t end = text_.size();
  if (mode & 1) {
    while (begin < end && text_[begin] == c.GetChar()) ++begin;
  }
  if (mode & 2) {
    while (end > begin && text_[end - 1] == c.GetChar()) --end;
  }
  return ZOLUnicodeString(text_.substr(begin, end - begin));
}

int ZOLUnicodeString::SearchSubString(const ZOLUnicodeString& text, int start, int mode) const {
  std::size_t pos = std::string::npos;
  if (mode == 1) {
    if (start < 0) start = 0;
    if (static_cast<std::size_t>(start) <= text_.size()) pos = text_.find(text.text_, start);
  } else if (mode == 2) {
    pos = text_.rfind(text.text_, start < 0 ? std::string::npos : static_cast<std::size_t>(start));
  }
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

ZOLUnicodeString& ZOLUnicodeString::BuildFromNum(int n, const char* format) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format ? format : "%d", n);
  text_ = buffer;
  return *this;
}

ZOLUnicodeString& ZOLUnicodeString::BuildFromNum(unsigned int n, const char* format) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format ? format : "%u", n);
  text_ = buffer;
  return *this;
}

int ZOLUnicodeString::ConvertToNum(int* n, const char* /*format*/) const {
  int value = 0;
  const bool ok = zol::ParseInt(text_, value);
  if (n) *n = ok ? value : 0;
  return ok ? 1 : 0;
}

int ZOLUnicodeString::ConvertToNum(unsigned int* n, const char* /*format*/) const {
  unsigned int value = 0;
  const bool ok = zol::ParseUnsigned(text_, value);
  if (n) *n = ok ? value : 0;
  return ok ? 1 : 0;
}
