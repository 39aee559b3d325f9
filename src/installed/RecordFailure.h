#ifndef ZOLINS_INSTALLED_RECORD_FAILURE_H
#define ZOLINS_INSTALLED_RECORD_FAILURE_H

#include "ZOLINSExport.h"

// What a failure code of UpdatePresentFromToc means, in a few words for a person ("failed" for a
// code it does not return). The front ends (the zoltoc tool, the language bindings) report failed
// records with it; the shared library exports it for them, but this header is not installed.

namespace zol {

ZOLINS_EXPORT const char* RecordFailureReason(int code);

}  // namespace zol

#endif
