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

// Adds `value` to a working list (an OrderedSet), or, when the list is full, hands `report` the
// internal error of `key` and returns false, adding nothing. A full list refuses even a value it
// holds: planning treats any addition to a full list as the overflow.
template <typename List, typename T, typename Report>
bool InsertOrReport(List& list, const T& value, const char* key, Report report) {
  if (list.full()) {
    report(InternalErrorMessage(key));
    return false;
  }
  list.Add(value);
  return true;
}

// The text written when a plan is empty.
extern const char* const kNothingToInstall;

}  // namespace zol

#endif
