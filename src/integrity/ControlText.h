#ifndef ZOLINS_INTEGRITY_CONTROL_TEXT_H
#define ZOLINS_INTEGRITY_CONTROL_TEXT_H

#include <string>
#include <string_view>

namespace zol {

// Calls line(view) for each line of a text, lines being separated by "\n"; a final "\n" does not
// start one more line.
template <typename Line>
void ForEachLine(std::string_view text, Line&& line) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    line(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

// The same for the lines of a control text that are checked: the non-empty ones.
template <typename Line>
void ForEachControlLine(std::string_view text, Line&& line) {
  ForEachLine(text, [&](std::string_view current) {
    if (!current.empty()) line(current);
  });
}

// The listed path of a control line: the text before its first blank.
inline std::string_view LinePath(std::string_view line) {
  return line.substr(0, line.find(' '));
}

// The text after the last "/" (the whole text when there is none).
inline std::string_view LastComponent(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The name of an element's base control file: the name less its last "." and what follows, when
// a decimal digit follows that "." (X.3 gives X; X.a and X stay as they are).
inline std::string_view ControlBaseName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot + 1 >= name.size()) return name;
  const char next = name[dot + 1];
  return next >= '0' && next <= '9' ? name.substr(0, dot) : name;
}

// Whether an element is checked from a service-pack control file merged with its base one.
inline bool IsServicePacked(int spkLevel, int spkMax) {
  return spkLevel >= 1 && spkMax > 0;
}

// For the first line that names the control file of `element` (see ControlText.cpp), the number
// of "/" in that line less 2; 0 when no line does.
int SelfLineClimb(std::string_view text, std::string_view element);

// The directory the listed paths are relative to: the installation root less SelfLineClimb
// trailing components (the root itself, followed by "/", when there are not that many).
std::string FilesBase(std::string_view installPath, std::string_view text,
                      std::string_view element);

}  // namespace zol

#endif
