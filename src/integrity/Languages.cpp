#include "integrity/Languages.h"

#include "ZOLINSIntegrity.h"
#include "base/LineReader.h"

namespace zol {
namespace {

// Names as NLS.txt writes them; the languages also as they appear in catalogue paths.
constexpr const char* kNames[kLanguageFlagCount] = {"French",   "German",
                                                    "Italian",  "Russian",
                                                    "Japanese", "Simplified_Chinese",
                                                    "Korean",   "Language-indexed fonts"};
constexpr const char* kFonts[] = {"KANJ.font", "KOHG.font", "SICH.font", "SSS4.font", "TRCH.font"};

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

void MarkInstalledLanguages(const std::string& installPath, LanguageFlags& flags) {
  LineReader nls(installPath + "/NLS.txt");
  // Without the list every language counts as installed: nothing is exempt.
  if (!nls.IsOpen()) return flags.fill(1);
  std::string_view line;
  bool hadNewline = false;
  while (nls.Next(line, hadNewline)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    for (int i = 0; i < kLanguageFlagCount; ++i) {
      if (line == kNames[i]) flags[i] = 1;
    }
  }
}

bool InUninstalledLanguageOrFonts(std::string_view path, const LanguageFlags& flags) {
  for (int i = 0; i < kLanguageCount; ++i) {
    if (flags[i] == 0 && Contains(path, kNames[i]) && Contains(path, "msgcatalog")) return true;
  }
  if (flags[kLanguageCount] != 0) return false;
  for (const char* font : kFonts) {
    if (Contains(path, font) && Contains(path, "fonts") && Contains(path, "Stroke")) return true;
  }
  return false;
}

}  // namespace zol

void WhichNLSFontsInstalled(char* installPath, int& french, int& german, int& italian, int& russian,
                            int& japanese, int& simplifiedChinese, int& korean, int& fonts) {
  int* const out[zol::kLanguageFlagCount] = {
      &french, &german, &italian, &russian, &japanese, &simplifiedChinese, &korean, &fonts};
  zol::LanguageFlags flags;
  for (int i = 0; i < zol::kLanguageFlagCount; ++i) flags[i] = *out[i];
  if (installPath) {
    zol::MarkInstalledLanguages(installPath, flags);
  } else {
    flags.fill(1);
  }
  for (int i = 0; i < zol::kLanguageFlagCount; ++i) *out[i] = flags[i];
}
