#include "base/Message.h"

#include <cstdarg>
#include <cstdio>

#include "ZOLMsgCatalog.h"
#include "base/Catalogue.h"

namespace zol {

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  char small[256];
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (needed < 0) {
    va_end(copy);
    return out;
  }
  if (static_cast<std::size_t>(needed) < sizeof small) {
    out.assign(small, static_cast<std::size_t>(needed));
  } else {
    out.resize(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(&out[0], out.size(), format, copy);
    out.resize(static_cast<std::size_t>(needed));
  }
  va_end(copy);
  return out;
}

ZOLUnicodeString CatalogueMessage(const char* catalogue, const char* key,
                                  const std::vector<std::string>& parameters,
                                  const std::string& defaultText) {
  const std::optional<std::string> text = LookUpCatalogue(catalogue, key);
  return ZOLUnicodeString(text ? FillParameters(*text, parameters) : defaultText);
}

void PrintMessage(const ZOLUnicodeString& message) {
  std::fprintf(stderr, "%s\n", message.ConvertToChar());
  std::fflush(stderr);
}

}  // namespace zol

ZOLUnicodeString ZOLMsgCatalog::BuildMessage(const ZOLString& catalogue, const ZOLString& key,
                                             const ZOLUnicodeString* parameters, int count,
                                             const ZOLUnicodeString& defaultText) {
  std::vector<std::string> values;
  for (int i = 0; parameters && i < count; ++i) values.push_back(parameters[i].str());
  return zol::CatalogueMessage(catalogue.GetText(), key.GetText(), values, defaultText.str());
}
