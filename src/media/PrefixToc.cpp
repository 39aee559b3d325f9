#include "ZOLINSMediaToc.h"

namespace {

ZOLUnicodeString NextField(ZOLToken& token) {
  static const ZOLUnicodeString colon(":");
  return token.GetNextToken(colon).Strip(3, ' ');
}

}  // namespace

int ZOLINSPrefixToc::WriteTabPrefixToc(ZOLToken& token, ZOLUnicodeString& /*msg*/) {
  const ZOLUnicodeString medium = NextField(token);
  media = medium.ConvertToChar()[0];
  unsigned int number = 0;
  NextField(token).ConvertToNum(&number, "%u");
  order = static_cast<int>(number);
  NextField(token).ConvertToNum(&sizeCaf, "%u");
  return 1;
}
