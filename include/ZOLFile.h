#ifndef ZOL_FILE_H
#define ZOL_FILE_H

#include "ZOLINSExport.h"

// Buffered file access through numeric handles (never 0 for an open file). Every call with a
// handle that is not open fails as its contract says.

// Opens `path` with an fopen mode. Returns 0 and sets *fd, or -1 (and *fd = 0). A file opened
// only to read ("r", "rb") must be a regular file: it is opened without blocking, and a FIFO, a
// device or a directory gives -1.
ZOLINS_EXPORT int ZOLFOpen(const char* path, const char* mode, unsigned int* fd);
// Reads one line (at most size - 1 bytes, line feed included) like fgets. Returns 0 when something
// was read, 1 at the end of the file, -1 on an error or a bad handle.
ZOLINS_EXPORT int ZOLFGets(char* buffer, int size, unsigned int fd);
// Returns 0 once the end of the file is reached (nothing more to read), 1 while data remains.
ZOLINS_EXPORT int ZOLFEof(unsigned int fd);
// The next byte (0 to 255), or -1 at the end of the file or on an error.
ZOLINS_EXPORT int ZOLFGetc(unsigned int fd);
// Writes a NUL-terminated text. Returns 0, or -1 on failure.
ZOLINS_EXPORT int ZOLFPuts(const char* text, unsigned int fd);
// Writes `length` bytes. Returns 0 when all were written, -1 otherwise.
ZOLINS_EXPORT int ZOLFWrite(const void* buffer, long length, unsigned int fd);
// Closes the file and frees the handle. Returns 0, or -1 when the close failed or fd is not open.
ZOLINS_EXPORT int ZOLFClose(unsigned int fd);

// access(2): returns 0 when `path` is accessible in `mode` (0: exists), else -1.
ZOLINS_EXPORT int ZOLFileAccess(const char* path, int mode);
// The value of an environment variable, or null.
ZOLINS_EXPORT const char* ZOLGetEnv(const char* name);

#endif
