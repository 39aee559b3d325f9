#ifndef ZOL_CHECKSUM_H
#define ZOL_CHECKSUM_H

#include "ZOLINSExport.h"

// Checksums of installed files and the control files that record them.

// The sum of all bytes of the file at `path`, each taken as unsigned, modulo 2^32: 0 for an empty
// file, 1 when the file cannot be opened or read (a file whose bytes add up to 1 looks the same).
ZOLINS_EXPORT unsigned long ZOLCalcCheckSum(char* path);

// Writes the control file `controlPath` from the file list `listPath` (one "./" path per line):
// every line copied, each followed by " " and its file's checksum, except lines that already carry
// one, index files (extension QEidx or SOLidx), the control file's own line and files that cannot
// be read. A regular control file is replaced atomically with its owner, group and mode; a device,
// a FIFO or a file with several links is written in place. `listPath` may name it (rewritten in
// place, permission bits kept, under the installation lock of its directory). Returns 1 when
// written; 0 after a message printed on standard error; -1, with no message, when the list cannot
// be examined with stat or a line carries a checksum field that is not a number (nothing is written
// then).
ZOLINS_EXPORT int ZOLAddCheckSum(const char* listPath, const char* controlPath);

#endif
