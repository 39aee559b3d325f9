#include "ZOLINSMediaToc.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "toc/RecordLine.h"

namespace {

// A number field; 0 when it does not parse.
unsigned int NumberField(std::string_view field) {
  unsigned int value = 0;
  return zol::ParseUnsigned(zol::TrimBlanks(field), value) ? value : 0;
}

}  // namespace

int ZOLINSPrefixToc::WriteTabPrefixToc(ZOLToken& token, ZOLUnicodeString& /*msg*/) {
  Read(token);
  return 1;
}

template <typename Fields>
void ZOLINSPrefixToc::Read(Fields& fields) {
  const std::string_view medium = zol::TrimBlanks(fields.NextView(':'));
  media = medium.empty() ? '\0' : medium[0];
  order = static_cast<int>(NumberField(fields.NextView(':')));
  sizeCaf = NumberField(fields.NextView(':'));
}

template void ZOLINSPrefixToc::Read(zol::FieldReader&);
