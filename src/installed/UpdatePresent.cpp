#include <string>

#include "ZOLINSInstToc.h"
#include "base/AtomicFile.h"
#include "base/Message.h"

int ZOLINSInstToc::UpdatePresent(const char* path, ZOLUnicodeString& msg) {
  if (!path) return -1;
  // The whole file is built first, then replaces the old one at once: a failure at any point
  // leaves the previous inventory as it was.
  std::string content;
  for (int i = 0; i < GetNbToc(); ++i) {
    ZOLUnicodeString line;
    if (GetIiemeUnitToc(i)->WriteLineToc(line, msg) != 1) return -1;
    content.append(line.str()).append(1, '\n');
  }
  zol::AtomicFile::Step failed = zol::AtomicFile::Step::None;
  if (zol::ReplaceFileContent(path, content, &failed)) return 1;
  if (failed == zol::AtomicFile::Step::CreateTemp) {
    msg = zol::CatalogueMessage("ZOLPelmo", "ZOLINSInstToc.ErrorOpenPresent", {path, ""},
                                "Error opening file PRESENT");
  } else {
    msg = zol::CatalogueMessage("ZOLPelmo", "ZOLINSInstToc.ErrorWritePresent", {"", path},
                                "Error writing in file PRESENT");
  }
  return -1;
}
