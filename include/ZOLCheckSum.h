#ifndef ZOL_CHECKSUM_H
#define ZOL_CHECKSUM_H

#include "ZOLINSExport.h"

// Checksums of installed files and the control files that record them.

// The sum of all bytes of the file at `path`, each taken as unsigned, modulo 2^32: 0 for an empty
// file, 1 when the file cannot be opened or read (a file whose bytes add up to 1 looks the same).
ZOLINS_EXPORT unsigned long ZOLCalcCheckSum(char* path);

#endif
