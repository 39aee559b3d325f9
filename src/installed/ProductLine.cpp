#include <cstring>

#include "ZOLINSQuery.h"
#include "ZOLSysEnvManager.h"

namespace {

using TextGetter = ZOLUnicodeString (ZOLSysEnvManager::*)(ZOLUnicodeString&);

// The caller sized `out` for the text: the product-line texts have never had a length limit.
int CopyProductLineText(TextGetter getter, const char* productLine, char* out) {
  ZOLUnicodeString line(productLine);
  ZOLSysEnvManager manager;
  const ZOLUnicodeString text = (manager.*getter)(line);
  if (out)
    std::memcpy(out, text.ConvertToChar(), static_cast<std::size_t>(text.GetLengthInChar()) + 1);
  return 0;
}

}  // namespace

int GetLabelFromProductLine(const char* productLine, char* out) {
  return CopyProductLineText(&ZOLSysEnvManager::GetLabelForProductLine, productLine, out);
}

int GetCopyrightFromProductLine(const char* productLine, char* out) {
  return CopyProductLineText(&ZOLSysEnvManager::GetCopyRigthForProductLine, productLine, out);
}

int GetDocHomepageFromProductLine(const char* productLine, char* out) {
  return CopyProductLineText(&ZOLSysEnvManager::GetDocHomepageForProductLine, productLine, out);
}
