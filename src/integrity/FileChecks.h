#ifndef ZOLINS_INTEGRITY_FILE_CHECKS_H
#define ZOLINS_INTEGRITY_FILE_CHECKS_H

#include <string_view>

#include "integrity/Findings.h"

namespace zol {

// Whether the checksum of an existing listed file is compared: level 2, a checksum other than
// "0" on its line, and its name not in the skip list (when one was read).
bool ComparesCheckSum(bool hasChecksum, std::string_view checksumText, int checkLevel,
                      bool skipListRead, std::string_view path, std::string_view skipList);

// Reports an unreadable file (sum 1) or a sum that differs from `checksumText`.
void ReportCheckSum(const FindingSink& sink, ZOLINSType kind, const char* path, unsigned long sum,
                    std::string_view checksumText);

}  // namespace zol

#endif
