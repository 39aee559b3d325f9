#include "toc/RecordLine.h"

namespace zol {

ZOLToken RecordTokenizer(std::string_view line) {
  return ZOLToken(ZOLUnicodeString(std::string(line)));
}

std::size_t NthSeparator(std::string_view line, int n) {
  std::size_t pos = std::string_view::npos;
  for (int i = 0; i < n; ++i) {
    pos = line.find(':', pos + 1);
    if (pos == std::string_view::npos) break;
  }
  return pos;
}

int ParseRecordLine(ZOLINSUnitToc& record, std::string_view line, ZOLUnicodeString& message) {
  ZOLToken token = RecordTokenizer(line);
  return record.WriteTabUnitToc(token, message);
}

}  // namespace zol
