#include "toc/RecordLine.h"

namespace zol {

ZOLToken RecordTokenizer(std::string_view line) {
  return ZOLToken(ZOLUnicodeString(std::string(line)));
}

int ParseRecordLine(ZOLINSUnitToc& record, std::string_view line, ZOLUnicodeString& message) {
  ZOLToken token = RecordTokenizer(line);
  return record.WriteTabUnitToc(token, message);
}

}  // namespace zol
