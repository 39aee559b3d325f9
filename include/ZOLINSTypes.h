#ifndef ZOLINS_TYPES_H
#define ZOLINS_TYPES_H

#include "ZOLINSExport.h"

// Size of a name buffer: at most 47 characters and the terminating NUL.
enum { ZOLINS_NAME_SIZE = 48 };
// Guaranteed capacity of the fixed result containers and of the working lists.
enum { ZOLINS_STOCK_CAPACITY = 4096 };

// The code kind of an element (first field of a TOC line).
enum ZOLINSType : int {
  ZOLINS_CODE = 0,
  ZOLINS_RUX2 = 1,
  ZOLINS_DOCUMENTATION = 2,
  ZOLINS_UNKNOWNM = 3,  // carried by no element
  ZOLINS_UNKNOWNQ = 4,  // as a query argument: any type
  ZOLINS_SAMPLES = 5
};

// The element kind (second field of a TOC line).
enum ZOLINSPkg : int {
  ZOLINS_FWK = 0,  // framework
  ZOLINS_GRP = 1,  // group
  ZOLINS_PRD = 2,  // product
  ZOLINS_PDO = 3,  // documentation object
  ZOLINS_SLT = 4,  // solution
  ZOLINS_FIX = 5,  // fix; not accepted on a TOC line
  ZOLINS_FSP = 6,  // fix set, named after its framework: "<framework>.<suffix>"
  ZOLINS_SPK = 7,  // service pack
  ZOLINS_HFX = 8,  // hot fix, named "<...>.<hot-fix level>"
  ZOLINS_SMP = 9   // samples
};

// Keywords indexed by the enumeration values: "code", "rux2", "documentation", "unknownM",
// "unknownQ", "samples" and "FWK", "GRP", "PRD", "PDO", "SLT", "FIX", "FSP", "SPK", "HFX", "SMP".
extern ZOLINS_EXPORT const char* const ZOLINSTypeKeyword[6];
extern ZOLINS_EXPORT const char* const ZOLINSPkgKeyword[10];

#endif
