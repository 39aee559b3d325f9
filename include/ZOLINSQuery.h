#ifndef ZOLINS_QUERY_H
#define ZOLINS_QUERY_H

#include "ZOLINSExport.h"
#include "ZOLUnicodeString.h"

// Plain questions about an installation, answered from its control/PRESENT.
//
// `installPath` is null (use the roots of the environment variable ZOLInstallPath) or a list of
// installation roots separated by ":"; the first root holding control/PRESENT is used. The answers
// are read once and kept for the life of the process; a non-null `installPath` reads again.
// Failures are printed on standard error. Not for concurrent use.

// The installation's GA level text, or null when it was never read. The buffer belongs to the
// library and stays valid until the process ends, also after a later read replaces it.
ZOLINS_EXPORT char* ZOLGetGALevel(const char* installPath);
// The installation's service-pack level (0 when no service pack is installed), or -1 when it was
// never read.
ZOLINS_EXPORT int ZOLGetSPKLevel(const char* installPath);
// The installation's hot-fix level (0 when no hot fix is installed), or -1 when it was never read.
ZOLINS_EXPORT int ZOLGetHFXLevel(const char* installPath);
// 1 when `name` is installed as an element of type code, 0 when it is not, -1 when `name` is null
// or the installed TOC cannot be loaded.
ZOLINS_EXPORT int ZOLIsInstalled(const char* name, const char* installPath);

// The label, copyright text or documentation home page of a product line, copied into `out` with
// no length limit: `out` must hold the whole text and its NUL. A text that no catalogue holds is
// copied as the empty string. Always return 0.
ZOLINS_EXPORT int GetLabelFromProductLine(const char* productLine, char* out);
ZOLINS_EXPORT int GetCopyrightFromProductLine(const char* productLine, char* out);
ZOLINS_EXPORT int GetDocHomepageFromProductLine(const char* productLine, char* out);

// Reads a text file line by line, lines of any length.
class ZOLINS_EXPORT QEBReadFile {
 public:
  // GetNextLine's status when no file is open.
  static constexpr int NoFileOpen = static_cast<int>(0x80004005u);

  // Opens `path` for reading (ZOLFOpen); `rc` gets 0, or -1 when the file cannot be opened or is
  // not a regular file.
  QEBReadFile(ZOLUnicodeString path, long& rc);
  // Closes the file if one is open.
  virtual ~QEBReadFile();
  QEBReadFile(const QEBReadFile&) = delete;
  QEBReadFile& operator=(const QEBReadFile&) = delete;

  // Replaces `line` with the next line, whole and with its line feed (the last line of a file may
  // have none). Returns 0 when a line was read, NoFileOpen when no file is open, 1 at the end of
  // the file and -1 on a read error (`line` then holds what was read of the line).
  int GetNextLine(ZOLUnicodeString& line);

 private:
  unsigned int handle;
};

#endif
