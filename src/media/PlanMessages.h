#ifndef ZOLINS_MEDIA_PLAN_MESSAGES_H
#define ZOLINS_MEDIA_PLAN_MESSAGES_H

#include "ZOLINSTypes.h"
#include "ZOLUnicodeString.h"

namespace zol {

// The messages that several planning operations share.

// "GetSize.Msg_AlreadyInstalled": name, type keyword.
ZOLUnicodeString AlreadyInstalledMessage(const char* name, ZOLINSType type);
// "GetSize.Msg_ProductNotfound": a requested name that is not on the medium.
ZOLUnicodeString ProductNotFoundMessage(const char* name, ZOLINSType type);
// "GetSize.Msg2_PrereqNotfound": a name reached from another that is not on the medium.
ZOLUnicodeString PrereqNotFoundMessage(const char* name, ZOLINSType type);
// A working list that would overflow: `key` is "GetSize.Error_<word>", the default text
// "ZOLINSMediaToc::GetSize: internal error <word>".
ZOLUnicodeString InternalErrorMessage(const char* key);

// The text written when a plan is empty.
extern const char* const kNothingToInstall;

}  // namespace zol

#endif
