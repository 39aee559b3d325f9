#ifndef ZOLINS_FIC_H
#define ZOLINS_FIC_H

#include "ZOLINSExport.h"
#include "ZOLUnicodeString.h"

// Measuring a text file before reading it. A line's length counts its line feed; a last line
// without one counts up to the end of the file.

// The length of the longest line plus 32; 32 for an empty file or one that cannot be opened.
ZOLINS_EXPORT int ZOLInsFicMaxSizeLine(ZOLUnicodeString& path);
// Sets nbLines to the number of line feeds and maxSize to the longest line length plus 32, and
// returns maxSize. A file that cannot be opened gives 0 and 32.
ZOLINS_EXPORT int ZOLInsFicGetInfo(ZOLUnicodeString& path, int& nbLines, int& maxSize);

#endif
