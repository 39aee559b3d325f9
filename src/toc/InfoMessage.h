#ifndef ZOLINS_TOC_INFO_MESSAGE_H
#define ZOLINS_TOC_INFO_MESSAGE_H

#include "ZOLINSToc.h"
#include "ZOLUnicodeString.h"

namespace zol {

// Keeps a copy that strMsg stops holding alive until the process ends.
void RetireInfoCopy(char* copy);
// Releases the copy strMsg holds and nulls strMsg.
void ReleaseInfoCopy();

// Appends `message` to the information message when it exists.
inline void AppendInfo(const ZOLUnicodeString& message) {
  if (oMsg) oMsg->Append(message);
}

}  // namespace zol

#endif
