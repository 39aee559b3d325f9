#ifndef ZOLINS_INTEGRITY_OBSERVER_H
#define ZOLINS_INTEGRITY_OBSERVER_H

#include <string_view>

#include "ZOLINSCheckProgress.h"
#include "ZOLUnicodeString.h"

namespace zol {

// Appends one entry to an integrity report and hands it to the finding observer, if any. Every
// entry of a report goes through here.
void AppendFinding(ZOLUnicodeString& report, std::string_view entry);
// Hands the walk's position to the progress observer, if any.
void ReportProgress(const ZOLINSCheckProgress& progress);

}  // namespace zol

#endif
