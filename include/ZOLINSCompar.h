#ifndef ZOLINS_COMPAR_H
#define ZOLINS_COMPAR_H

#include "ZOLINSExport.h"

// Comparators for qsort, lsearch and lfind. Each returns a negative number, 0 or a positive
// number; bytes compare as unsigned.

// Two NUL-terminated names, ascending byte order (strcmp).
ZOLINS_EXPORT int ComparString(const void* a, const void* b);
// Two names, descending byte order.
ZOLINS_EXPORT int ComparStringRevert(const void* a, const void* b);
// Two names, the longer first; names of equal length in ascending byte order.
ZOLINS_EXPORT int ComparString2(const void* a, const void* b);
// Two pointers to char*, ascending byte order of the texts.
ZOLINS_EXPORT int ComparStringPointer(const void* a, const void* b);
// Two 32-bit ints: their 32-bit difference, first minus second.
ZOLINS_EXPORT int ComparNum(const void* a, const void* b);
// Two pointers to ZOLINSIfreq*: -1 when either is null, else PL then UB in ascending byte order.
ZOLINS_EXPORT int ComparIfreq(const void* a, const void* b);

#endif
