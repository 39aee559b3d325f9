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
// An element already recorded with its type is not appended again (0). A record that would make
// PRESENT unloadable (more than 4096 names in one list) is refused with a message (-200). A
// PRESENT without final line feed gets one before the new line. The call holds the installation
// lock (ZOLINSInstallLock.h) while it reads and writes PRESENT; past its timeout it fails with -200
// (-100 for a documentation product) and a message naming the lock. A regular PRESENT is replaced
// whole, so any failure leaves it as it was; a device or FIFO is written in place.
ZOLINS_EXPORT int UpdatePresentFromToc(const char* tocPath, char* name, const char* presentPath,
                                       ZOLINSMediaToc* media);

#endif
