#ifndef ZOLINS_PRESENT_H
#define ZOLINS_PRESENT_H

#include "ZOLINSExport.h"

class ZOLINSMediaToc;

// Keeping an installation's control/PRESENT up to date while elements are installed from a medium.
// SetDocPresentFile loads PRESENT once and remembers its documentation products and frameworks for
// the life of the process; the other functions read that state. Not for concurrent use.

// Loads `presentPath` as the installed TOC and lists its visible documentation PDO elements and
// its documentation frameworks. Returns 0, or 1 after printing the loader's message on standard
// error; a failed load keeps what an earlier successful call remembered.
ZOLINS_EXPORT int SetDocPresentFile(const char* presentPath);

// Stores in *nb the number of documentation frameworks remembered by SetDocPresentFile (0 before
// any successful call). Returns 0.
ZOLINS_EXPORT int GetNbFWKinPRESENT(int* nb);

// Copies the i-th documentation framework name (i from 1, names in ascending order) into `out`,
// which holds at least 48 bytes. Returns 0, or -1 when i is not between 1 and the count.
ZOLINS_EXPORT int GetiemeFWKinPRESENT(int i, char* out);

// Records the element `name`, whose line is in the medium's TOC file `tocPath`, in the PRESENT file
// `presentPath`: appends the line without its three media fields, or, for a documentation product
// (".prd") that SetDocPresentFile found visible in PRESENT, adds to its recorded line the
// prerequisites that `media` lists and the line lacks (PRESENT is then replaced as a whole).
// Returns 0 when recorded (or nothing was missing), else:
//   -10 tocPath cannot be opened             -300 tocPath has no line for `name`
//   -100 PRESENT cannot be opened            -101 PRESENT has no ":PDO:" line for `name`
//   -102 `media` is null                     -104 that line has fewer than five ":"
//   -105 PRESENT cannot be examined          -106 no memory for its content
//   -107 PRESENT cannot be reopened          -108 PRESENT reads as empty
//   -109 the line is no longer in PRESENT    -110 no memory for the new content
//   -111 the replacement cannot be created   -112 PRESENT was not written whole
//   -200 PRESENT cannot be opened for appending
// A rewrite that fails leaves PRESENT as it was; a failed append (-112) may leave part of the line.
ZOLINS_EXPORT int UpdatePresentFromToc(const char* tocPath, char* name, const char* presentPath,
                                       ZOLINSMediaToc* media);

#endif
