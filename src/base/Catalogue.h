#ifndef ZOLINS_BASE_CATALOGUE_H
#define ZOLINS_BASE_CATALOGUE_H

#include <optional>
#include <string>
#include <vector>

namespace zol {

// Looks `key` up in the catalogue file of `catalogue` (see ZOLMsgCatalog.h for where it is
// searched). Files are parsed once and kept, re-read when their size or time changes.
std::optional<std::string> LookUpCatalogue(const std::string& catalogue, const std::string& key);

// Puts the parameters into a catalogue text: %1..%9 take parameter 1..9 (empty when missing) and
// %% gives one percent sign; any other % stays as it is.
std::string FillParameters(const std::string& text, const std::vector<std::string>& parameters);

// The language directory for a LANG value: the text before the first '_', '.' or '@'
// ("fr_FR.UTF-8" gives "fr"); empty for "C", "POSIX" and an empty value.
std::string LanguageOf(const char* lang);

}  // namespace zol

#endif
