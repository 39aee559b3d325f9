#ifndef ZOLINS_CHECK_PROGRESS_H
#define ZOLINS_CHECK_PROGRESS_H

#include "ZOLINSExport.h"

// Where a running integrity check (ZOLINSInstToc::CheckIntegrity) is, for callers that show it.
struct ZOLINSCheckProgress {
  int element;       // the element about to be checked, from 1; nbElements + 1 when the walk ends
  int nbElements;    // records of the installed TOC
  const char* name;  // that element's name; null when the walk ends
  long long files;   // listed files looked at so far
  long long bytes;   // bytes read so far to compare checksums
};

typedef void (*ZOLINSCheckProgressFn)(const ZOLINSCheckProgress* progress, void* context);
typedef void (*ZOLINSCheckFindingFn)(const char* entry, void* context);

// Sets, for the whole process, what integrity checks report while they run: `progress` before
// each element of the file walk and once when it ends, `finding` with each entry as it is
// appended to the report. Null functions (the default) report nothing. Neither changes what a
// check does or returns; both run on the checking thread.
ZOLINS_EXPORT void ZOLINSSetCheckObserver(ZOLINSCheckProgressFn progress,
                                          ZOLINSCheckFindingFn finding, void* context);

#endif
