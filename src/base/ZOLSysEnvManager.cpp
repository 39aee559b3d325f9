#include "ZOLSysEnvManager.h"

#include "base/Message.h"

namespace {

ZOLUnicodeString ProductLineText(const ZOLUnicodeString& productLine, const char* what) {
  const std::string key = productLine.str() + "." + what;
  return zol::CatalogueMessage("ZOLProductLine", key.c_str(), {}, std::string());
}

}  // namespace

ZOLUnicodeString ZOLSysEnvManager::GetLabelForProductLine(ZOLUnicodeString& productLine) {
  return ProductLineText(productLine, "Label");
}

ZOLUnicodeString ZOLSysEnvManager::GetCopyRigthForProductLine(ZOLUnicodeString& productLine) {
  return ProductLineText(productLine, "Copyright");
}

ZOLUnicodeString ZOLSysEnvManager::GetDocHomepageForProductLine(ZOLUnicodeString& productLine) {
  return ProductLineText(productLine, "DocHomepage");
}
