#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "ZOLINSToc.h"
#include "toc/InfoMessage.h"

ZOLUnicodeString* oMsg = nullptr;
char* ZOLINSToc::strMsg = nullptr;

namespace zol {

// Copies handed out by sGetInfoMsg that strMsg no longer holds. Callers may still read them, so
// they live until the process ends, and are released then.
void RetireInfoCopy(char* copy) {
  static std::mutex mutex;
  static std::vector<std::unique_ptr<char[]>> retired;
  if (!copy) return;
  std::lock_guard<std::mutex> lock(mutex);
  retired.emplace_back(copy);
}

void ReleaseInfoCopy() {
  delete[] ZOLINSToc::strMsg;
  ZOLINSToc::strMsg = nullptr;
}

}  // namespace zol

ZOLUnicodeString* ZOLINSToc::sGetInfoMsg() {
  return oMsg;
}

void ZOLINSToc::sGetInfoMsg(char*& text) {
  if (oMsg && oMsg->GetLengthInChar() > 0) {
    const std::size_t size = static_cast<std::size_t>(oMsg->GetLengthInChar()) + 1;
    char* copy = new char[size];
    std::memcpy(copy, oMsg->ConvertToChar(), size);
    zol::RetireInfoCopy(strMsg);
    strMsg = copy;
  }
  text = strMsg;
}

void ZOLINSToc::sResetInfoMsg() {
  sClearInfoMsg();
  oMsg = new ZOLUnicodeString();
}

void ZOLINSToc::sClearInfoMsg() {
  delete oMsg;
  oMsg = nullptr;
  zol::ReleaseInfoCopy();
}
