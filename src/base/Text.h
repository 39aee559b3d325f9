#ifndef ZOLINS_BASE_TEXT_H
#define ZOLINS_BASE_TEXT_H

#include <cstddef>
#include <string_view>

namespace zol {

// `text` without any of the characters of `chars` at either end. Plain loops: `chars` is a few
// characters, and the library's searches would look each character of `text` up in it with a
// call of their own (every number and field of a table load goes through here).
inline std::string_view TrimAny(std::string_view text, std::string_view chars) {
  const auto trimmed = [chars](char c) {
    for (char k : chars)
      if (k == c) return true;
    return false;
  };
  std::size_t begin = 0, end = text.size();
  while (begin < end && trimmed(text[begin])) ++begin;
  while (end > begin && trimmed(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Without blanks (character 32, not other white space) at either end: how every TOC field and
// token is read.
inline std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return text.substr(begin, end - begin);
}

// The next word of `text` separated by blanks, starting the search at `pos`, which moves past the
// word; empty (and `pos` at the end) when no word is left.
inline std::string_view NextWord(std::string_view text, std::size_t& pos) {
  const std::size_t begin = text.find_first_not_of(' ', pos);
  if (begin == std::string_view::npos) {
    pos = text.size();
    return std::string_view();
  }
  const std::size_t end = text.find(' ', begin);
  pos = end == std::string_view::npos ? text.size() : end;
  return text.substr(begin, pos - begin);
}

}  // namespace zol

#endif
