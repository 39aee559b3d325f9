#include "media/PlanMessages.h"

#include <cstring>
#include <string>

#include "base/Message.h"
#include "foundation/Names.h"

namespace zol {

const char* const kNothingToInstall = " ZOLInsMediaToc =  Nothing to install\n";

ZOLUnicodeString AlreadyInstalledMessage(const char* name, ZOLINSType type) {
  return Message("GetSize.Msg_AlreadyInstalled", "%s %s : already installed software\n", name,
                 TypeKeyword(type));
}

ZOLUnicodeString ProductNotFoundMessage(const char* name, ZOLINSType type) {
  return Message("GetSize.Msg_ProductNotfound", "%s %s is not found on the media\n", name,
                 TypeKeyword(type));
}

ZOLUnicodeString PrereqNotFoundMessage(const char* name, ZOLINSType type) {
  return Message("GetSize.Msg2_PrereqNotfound", "Prerequisite %s %s is not found\n", name,
                 TypeKeyword(type));
}

ZOLUnicodeString InternalErrorMessage(const char* key) {
  const char* word = std::strchr(key, '_');
  const std::string text =
      std::string("ZOLINSMediaToc::GetSize: internal error ") + (word ? word + 1 : key);
  return Message(key, text.c_str());
}

}  // namespace zol
