#include <cstring>
#include <string>

#include "ZOLINSIntegrity.h"

void CleanPath(char* path) {
  if (!path) return;
  const std::string_view text(path);
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  std::string clean;
  if (first != std::string_view::npos) {
    for (char c : text.substr(first, last - first + 1)) {
      if (c != '/' || clean.empty() || clean.back() != '/') clean += c;
    }
  }
  while (!clean.empty() && clean.back() == '/') clean.pop_back();
  // Never longer than the text it came from.
  std::memcpy(path, clean.c_str(), clean.size() + 1);
}

void RemoveLastCharacters(char* text, char c) {
  if (!text) return;
  std::size_t length = std::strlen(text);
  while (length > 0 && text[length - 1] == c) text[--length] = '\0';
}
