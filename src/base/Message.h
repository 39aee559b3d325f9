#ifndef ZOLINS_BASE_MESSAGE_H
#define ZOLINS_BASE_MESSAGE_H

#include <string>
#include <type_traits>
#include <vector>

#include "ZOLUnicodeString.h"

namespace zol {

// printf into a string of any length.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The message of `key` in catalogue `catalogue`, with `parameters`, or `defaultText`.
ZOLUnicodeString CatalogueMessage(const char* catalogue, const char* key,
                                  const std::vector<std::string>& parameters,
                                  const std::string& defaultText);

// Prints a message of a plain function on standard error, as "%s\n", and flushes the stream at
// once so that it comes out in order with the caller's own output.
void PrintMessage(const ZOLUnicodeString& message);

namespace detail {
inline std::string AsParameter(const char* text) {
  return text ? text : "";
}
inline std::string AsParameter(char* text) {
  return text ? text : "";
}
inline std::string AsParameter(const std::string& text) {
  return text;
}
inline std::string AsParameter(int n) {
  return std::to_string(n);
}
inline std::string AsParameter(unsigned int n) {
  return std::to_string(n);
}

inline const char* AsPrintf(const char* text) {
  return text ? text : "(null)";
}
inline const char* AsPrintf(char* text) {
  return text ? text : "(null)";
}
inline const char* AsPrintf(const std::string& text) {
  return text.c_str();
}
inline int AsPrintf(int n) {
  return n;
}
inline unsigned int AsPrintf(unsigned int n) {
  return n;
}
}  // namespace detail

// A message of the library's catalogue "ZOLPelmo": every argument becomes one parameter (numbers
// as "%d"/"%u" text) and the English default is `format` filled with the same arguments. Every
// message of the library goes through here.
template <typename... Args>
ZOLUnicodeString Message(const char* key, const char* format, const Args&... args) {
  std::vector<std::string> parameters{detail::AsParameter(args)...};
  std::string text;
  if constexpr (sizeof...(Args) == 0) {
    text = format;
  } else {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    text = Format(format, detail::AsPrintf(args)...);
#pragma GCC diagnostic pop
  }
  return CatalogueMessage("ZOLPelmo", key, parameters, text);
}

}  // namespace zol

#endif
