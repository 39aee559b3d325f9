#include "toc/RecordLine.h"

namespace zol {

void OpenUpEmptyFields(ZOLUnicodeString& line) {
  static const ZOLUnicodeString twoColons("::");
  static const ZOLUnicodeString opened(": :");
  line.ReplaceAll(twoColons, opened);
  line.ReplaceAll(twoColons, opened);
}

ZOLToken RecordTokenizer(const std::string& line) {
  ZOLUnicodeString copy(line);
  OpenUpEmptyFields(copy);
  return ZOLToken(std::move(copy));
}

int ParseRecordLine(ZOLINSUnitToc& record, const std::string& line, ZOLUnicodeString& message) {
  ZOLToken token = RecordTokenizer(line);
  return record.WriteTabUnitToc(token, message);
}

}  // namespace zol
