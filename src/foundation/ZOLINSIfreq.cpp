#include "ZOLINSIfreq.h"

#include "ZOLToken.h"
#include "foundation/Names.h"

void ZOLINSIfreq::Init(ZOLUnicodeString& word) {
  word = word.Strip(3, ' ');
  ZOLToken token(word);
  const ZOLUnicodeString slash("/");
  zol::CopyName(pl_, token.GetNextToken(slash).str());
  zol::CopyName(ub_, token.GetNextToken(slash).str());
}
