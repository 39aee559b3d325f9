#ifndef ZOLINS_TOC_RECORD_LINE_H
#define ZOLINS_TOC_RECORD_LINE_H

#include <cstddef>
#include <string_view>

#include "ZOLINSUnitToc.h"
#include "ZOLToken.h"
#include "base/ByteScan.h"
#include "base/Text.h"

namespace zol {

// The tokenizer that every loader hands to the prefix and record parsers, over a copy of `line`.
//
// TOC lines were traditionally prepared by replacing "::" with ": :" twice, because older
// tokenizers skipped empty fields. ZOLToken keeps empty fields and every field is stripped of
// blanks, so that replacement cannot change a single field: the copy is tokenized as it is.
ZOLToken RecordTokenizer(std::string_view line);

// The ":" fields of one line read in place, as ZOLToken::NextView reads them from its copy: a
// table's loader parses its own text without copying a line. `text` may run to the line's line
// feed: a NUL byte ends the line where it stands, as it ends the C string that the table gives
// for the line, without a pass of its own to measure that string.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}
  std::string_view NextView(char separator) {
    if (pos_ >= text_.size()) return std::string_view();
    const std::size_t stop = FindEither(text_, pos_, separator, '\0');
    if (stop < text_.size() && text_[stop] == '\0') text_ = text_.substr(0, stop);
    const std::string_view field = text_.substr(pos_, stop - pos_);
    pos_ = stop + 1;
    return field;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The position of the n-th ":" (counted from 1) in `line`, or npos when it has fewer.
std::size_t NthSeparator(std::string_view line, int n);

// Parses one TOC line (without media prefix) into `record`; WriteTabUnitToc's result and message.
int ParseRecordLine(ZOLINSUnitToc& record, std::string_view line, ZOLUnicodeString& message);

}  // namespace zol

#endif
