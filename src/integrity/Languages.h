#ifndef ZOLINS_INTEGRITY_LANGUAGES_H
#define ZOLINS_INTEGRITY_LANGUAGES_H

#include <string_view>

namespace zol {

// The language and font sets that NLS.txt can name, in the order of the integrity check's flags:
// seven languages, then the language-indexed fonts.
enum { kLanguageCount = 7, kLanguageFlagCount = 8 };

// Whether the missing file `path` belongs to a set whose flag is 0: a message catalogue of a
// language that is not installed, or a stroke font of the language-indexed fonts when those are
// not installed.
bool InUninstalledLanguageOrFonts(std::string_view path, const int (&flags)[kLanguageFlagCount]);

}  // namespace zol

#endif
