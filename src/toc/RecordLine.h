#ifndef ZOLINS_TOC_RECORD_LINE_H
#define ZOLINS_TOC_RECORD_LINE_H

#include <string>

#include "ZOLINSUnitToc.h"
#include "ZOLToken.h"

namespace zol {

// Opens up empty fields: every "::" becomes ": :", and a second pass does it again, so that runs of
// three or more colons are opened up too and every empty field reaches its parser as a blank.
void OpenUpEmptyFields(ZOLUnicodeString& line);

// A tokenizer over a copy of `line` whose empty fields are opened up: what every loader hands to
// the prefix and record parsers.
ZOLToken RecordTokenizer(const std::string& line);

// Parses one TOC line (without media prefix) into `record`; WriteTabUnitToc's result and message.
int ParseRecordLine(ZOLINSUnitToc& record, const std::string& line, ZOLUnicodeString& message);

}  // namespace zol

#endif
