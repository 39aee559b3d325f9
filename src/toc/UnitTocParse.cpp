#include <cstring>

#include "ZOLINSUnitToc.h"
#include "base/Message.h"
#include "base/Numbers.h"
#include "foundation/Names.h"

namespace {

const ZOLUnicodeString& Colon() {
  static const ZOLUnicodeString colon(":");
  return colon;
}

ZOLUnicodeString NextField(ZOLToken& token) {
  return token.GetNextToken(Colon()).Strip(3, ' ');
}

// The value of `text` in `keywords`, compared in table order, skipping the values listed in
// `refused`; -1 when none matches.
int FindKeyword(const std::string& text, const char* const* keywords, int count, int refused1,
                int refused2) {
  for (int i = 0; i < count; ++i) {
    if (i == refused1 || i == refused2) continue;
    if (text == keywords[i]) return i;
  }
  return -1;
}

// Calls `store(i, word)` for each of the first `count` blank-separated words of `field`.
template <typename Store>
void ForEachWord(ZOLUnicodeString& field, int count, Store store) {
  ZOLToken words(field);
  for (int i = 0; i < count; ++i) {
    ZOLUnicodeString word = words.GetNextToken().Strip(3, ' ');
    store(i, word);
  }
}

}  // namespace

void ZOLINSUnitToc::SetFieldNumber(ZOLUnicodeString& field, int& count) {
  ZOLToken words(field);
  count = 0;
  while (words.GetNextToken().GetLengthInChar() > 0) ++count;
}

void ZOLINSUnitToc::CutField(ZOLUnicodeString& field, int& count, char (*&list)[ZOLINS_NAME_SIZE]) {
  field = field.Strip(3, ' ');
  int n = 0;
  SetFieldNumber(field, n);
  if (n > 0) {
    list = new char[n][ZOLINS_NAME_SIZE];
    ForEachWord(field, n,
                [&](int i, const ZOLUnicodeString& word) { zol::CopyName(list[i], word.str()); });
  }
  count = n;
}

void ZOLINSUnitToc::CutField(ZOLUnicodeString& field, int& count, ZOLINSIfreq*& list) {
  field = field.Strip(3, ' ');
  int n = 0;
  SetFieldNumber(field, n);
  if (n > 0) {
    list = new ZOLINSIfreq[n];
    ForEachWord(field, n, [&](int i, ZOLUnicodeString& word) { list[i].Init(word); });
  }
  count = n;
}

void ZOLINSUnitToc::CutField(ZOLUnicodeString& field, int& count, unsigned int*& list) {
  field = field.Strip(3, ' ');
  int n = 0;
  SetFieldNumber(field, n);
  if (n > 0) {
    list = new unsigned int[n];
    ForEachWord(field, n,
                [&](int i, const ZOLUnicodeString& word) { word.ConvertToNum(&list[i], "%u"); });
  }
  count = n;
}

int ZOLINSUnitToc::WriteTabUnitToc(ZOLToken& token, ZOLUnicodeString& message) {
  Libere();
  nbSupersede_ = nbPrereq_ = nbIfreq_ = nbLangSize_ = 0;

  const ZOLUnicodeString type = NextField(token);
  const int typeValue =
      FindKeyword(type.str(), ZOLINSTypeKeyword, 6, ZOLINS_UNKNOWNM, ZOLINS_UNKNOWNQ);
  if (typeValue < 0) {
    message =
        zol::Message("ZOLINSUnitToc.error_type", "ZOLINSUnitToc: unknown type: %s\n", type.str());
    return -1;
  }
  type_ = static_cast<ZOLINSType>(typeValue);

  const ZOLUnicodeString package = NextField(token);
  const int packageValue = FindKeyword(package.str(), ZOLINSPkgKeyword, 10, ZOLINS_FIX, -1);
  if (packageValue < 0) {
    message = zol::Message("ZOLINSUnitToc.error_package", "ZOLINSUnitToc: unknown package: %s\n",
                           package.str());
    return -1;
  }
  package_ = static_cast<ZOLINSPkg>(packageValue);

  const ZOLUnicodeString name = NextField(token);
  zol::CopyName(name_, name.str());
  hfxLevel_ = 0;
  if (package_ == ZOLINS_HFX) {
    const std::size_t dot = name.str().rfind('.');
    if (dot != std::string::npos) hfxLevel_ = zol::LeadingDigits(name.str().substr(dot + 1));
  }

  ZOLUnicodeString supersede = NextField(token);
  CutField(supersede, nbSupersede_, supersede_);
  ZOLUnicodeString prereq = NextField(token);
  CutField(prereq, nbPrereq_, prereq_);
  if (nbPrereq_ == 0 && package_ == ZOLINS_FSP) {
    message =
        zol::Message("ZOLINSUnitToc.error_prereq", "ZOLINSUnitToc: missing prereq for %s\n", name_);
    return -1;
  }
  return ParseRemainingFields(token);
}

int ZOLINSUnitToc::ParseRemainingFields(ZOLToken& token) {
  ZOLUnicodeString ifreq = NextField(token);
  CutField(ifreq, nbIfreq_, ifreq_);
  NextField(token).ConvertToNum(&sizefs_, "%u");
  zol::CopyCut(timestamp_, sizeof timestamp_, NextField(token).str());
  zol::CopyCut(os_, sizeof os_, NextField(token).str());
  zol::CopyCut(gaLevel_, sizeof gaLevel_, NextField(token).str());
  NextField(token).ConvertToNum(&spkLevel_, "%d");

  const ZOLUnicodeString label = NextField(token);
  const std::size_t length = label.str().size();
  label_ = new char[length + 32];
  std::memcpy(label_, label.ConvertToChar(), length + 1);

  ZOLUnicodeString langSizes = NextField(token);
  CutField(langSizes, nbLangSize_, langSizes_);
  return 1;
}
