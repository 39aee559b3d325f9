#include <cstring>
#include <string_view>

#include "ZOLINSMediaToc.h"
#include "foundation/Names.h"

unsigned long long ZOLINSMediaToc::GetSizeHFX(char (*name)[ZOLINS_NAME_SIZE], const ZOLINSType type,
                                              ZOLUnicodeString& /*msg*/) {
  const bool trace = TraceOn();
  char hotFix[ZOLINS_NAME_SIZE] = "";
  if (name)
    zol::CopyName(hotFix, std::string_view(name[0], strnlen(name[0], ZOLINS_NAME_SIZE - 1)));
  if (trace) {
    Trace().TraPrint("ZOLINSMediaToc::GetSizeHFX: BEGIN \n");
    Trace().TraPrint("ZOLINSMediaToc::GetSizeHFX HFXName = %s\n", hotFix);
  }
  // The size is that of the first entry carrying the hot fix's order number, normally its own.
  unsigned int size = 0;
  const int index = GetIndex(hotFix, type);
  if (index >= 0) {
    const int first = GetIndexI(GetIiemePrefixToc(index)->GetOrder());
    if (first >= 0) size = GetIiemeUnitToc(first)->GetSizefs();
  }
  if (trace) {
    Trace().TraPrint("\nZOLINSMediaToc::GetSizeHFX total = %u bytes \n", size);
    Trace().TraPrint("ZOLINSMediaToc::GetSizeHFX ----END \n");
  }
  return size;
}
