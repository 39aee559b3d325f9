#include <cstring>
#include <string>

#include "ZOLINSIntegrity.h"
#include "base/Text.h"

void CleanPath(char* path) {
  if (!path) return;
  std::string clean;
  for (char c : zol::TrimBlanks(path)) {
    if (c != '/' || clean.empty() || clean.back() != '/') clean += c;
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
