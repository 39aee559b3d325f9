#ifndef ZOLINS_INTEGRITY_FILE_CHECKS_H
#define ZOLINS_INTEGRITY_FILE_CHECKS_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "integrity/Findings.h"
#include "integrity/Languages.h"
#include "integrity/SkippedFiles.h"

namespace zol {

// Whether the checksum of an existing listed file is compared: level 2, a checksum other than
// "0" on its line, and its last component not exempt by the skip list.
bool ComparesCheckSum(bool hasChecksum, std::string_view checksumText, int checkLevel,
                      const SkipList& skip, std::string_view path);

// Reports an unreadable file (no sum) or a sum that differs from `checksumText`.
void ReportCheckSum(const FindingSink& sink, ZOLINSType kind, const std::string& path,
                    std::optional<std::uint32_t> sum, std::string_view checksumText);

// Reports the missing listed file `path` (FilenotFound) unless it belongs to a language or font
// set that is not installed or the skip list allows it to be missing.
void CheckMissingFile(const FindingSink& sink, const LanguageFlags& languages, const SkipList& skip,
                      const std::string& path, ZOLINSType kind);

}  // namespace zol

#endif
