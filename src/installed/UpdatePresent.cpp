#include <string>
#include <string_view>

#include "ZOLINSInstToc.h"
#include "base/FileWriter.h"
#include "base/Message.h"

namespace {

// The line of `content` that holds byte `offset`, without its line feed; the last line when the
// offset is past the end (a failure after every byte was written).
std::string LineAt(std::string_view content, std::size_t offset) {
  if (content.empty()) return std::string();
  if (offset >= content.size()) offset = content.size() - 1;
  // npos + 1 is 0: the first line starts at the beginning.
  const std::size_t start = offset == 0 ? 0 : content.rfind('\n', offset - 1) + 1;
  const std::size_t end = content.find('\n', offset);
  return std::string(content.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace

int ZOLINSInstToc::UpdatePresent(const char* path, ZOLUnicodeString& msg) {
  if (!path) return -1;
  // The whole file is built first and written in one go, under the file writer's rule: replaced
  // through a temporary file when that is possible, so that a failure leaves it as it was.
  std::string content;
  for (int i = 0; i < GetNbToc(); ++i) {
    ZOLUnicodeString line;
    if (GetIiemeUnitToc(i)->WriteLineToc(line, msg) != 1) return -1;
    content.append(line.str()).append(1, '\n');
  }
  const zol::WriteResult written = zol::WriteWholeFile(path, content);
  if (written.ok()) return 1;
  if (written.failed == zol::WriteStep::Examine || written.failed == zol::WriteStep::Open) {
    msg = zol::CatalogueMessage("ZOLPelmo", "ZOLINSInstToc.ErrorOpenPresent", {path, ""},
                                "Error opening file PRESENT");
  } else {
    msg = zol::CatalogueMessage("ZOLPelmo", "ZOLINSInstToc.ErrorWritePresent",
                                {LineAt(content, written.written), path},
                                "Error writing in file PRESENT");
  }
  return -1;
}
