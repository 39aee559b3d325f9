#ifndef ZOLINS_TOC_RECORD_LINE_H
#define ZOLINS_TOC_RECORD_LINE_H

#include <cstddef>
#include <string_view>

#include "ZOLINSUnitToc.h"
#include "ZOLToken.h"
#include "base/Text.h"

namespace zol {

// The tokenizer that every loader hands to the prefix and record parsers, over a copy of `line`.
//
// TOC lines were traditionally prepared by replacing "::" with ": :" twice, because older
// tokenizers skipped empty fields. ZOLToken keeps empty fields and every field is stripped of
// blanks, so that replacement cannot change a single field: the copy is tokenized as it is.
ZOLToken RecordTokenizer(std::string_view line);

// The position of the n-th ":" (counted from 1) in `line`, or npos when it has fewer.
std::size_t NthSeparator(std::string_view line, int n);

// Parses one TOC line (without media prefix) into `record`; WriteTabUnitToc's result and message.
int ParseRecordLine(ZOLINSUnitToc& record, std::string_view line, ZOLUnicodeString& message);

}  // namespace zol

#endif
