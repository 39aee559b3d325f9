#include <cstring>

#include "ZOLFile.h"
#include "ZOLINSQuery.h"

QEBReadFile::QEBReadFile(ZOLUnicodeString path, long& rc) : handle(0) {
  rc = ZOLFOpen(path.ConvertToChar(), "r", &handle);
}

QEBReadFile::~QEBReadFile() {
  if (handle != 0) ZOLFClose(handle);
}

int QEBReadFile::GetNextLine(ZOLUnicodeString& line) {
  if (handle == 0) return NoFileOpen;
  line.Resize(0, ' ', 1);
  // A line longer than the buffer arrives in full pieces without a line feed; only the last
  // piece is shorter or ends with one.
  char buffer[1024];
  for (bool first = true;; first = false) {
    const int rc = ZOLFGets(buffer, sizeof buffer, handle);
    // The end of the file after some pieces ends a last line that had no line feed.
    if (rc != 0) return rc == 1 && !first ? 0 : rc;
    buffer[sizeof buffer - 1] = '\0';
    const std::size_t length = std::strlen(buffer);
    line.Append(buffer, static_cast<int>(length));
    if (length < sizeof buffer - 1 || buffer[length - 1] == '\n') return 0;
  }
}
