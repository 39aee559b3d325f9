#ifndef ZOLINS_INTEGRITY_LANGUAGES_H
#define ZOLINS_INTEGRITY_LANGUAGES_H

#include <array>
#include <string>
#include <string_view>

namespace zol {

// The language and font sets that NLS.txt can name, in the order of the integrity check's flags:
// seven languages, then the language-indexed fonts. A flag is 1 when its set is installed.
enum { kLanguageCount = 7, kLanguageFlagCount = 8 };
using LanguageFlags = std::array<int, kLanguageFlagCount>;

// Sets to 1 the flag of each set named on a line of `installPath`/NLS.txt, leaving the others as
// they are; sets them all when the file cannot be read.
void MarkInstalledLanguages(const std::string& installPath, LanguageFlags& flags);

// Whether the missing file `path` belongs to a set whose flag is 0: a message catalogue of a
// language that is not installed, or a stroke font of the language-indexed fonts when those are
// not installed.
bool InUninstalledLanguageOrFonts(std::string_view path, const LanguageFlags& flags);

}  // namespace zol

#endif
