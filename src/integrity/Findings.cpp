#include "integrity/Findings.h"

#include "base/Message.h"

int ZOLINSInstToc::throwError(ZOLINSType kind, char* errorClass, char* first, char* second,
                              char* defaultFormat, char* key, ZOLUnicodeString& report,
                              int compactDocReport) {
  if (kind == ZOLINS_DOCUMENTATION && compactDocReport != 0) {
    std::string& out = report.str();
    out.append(errorClass ? errorClass : "").append(1, '|').append(first ? first : "");
    if (second) out.append(1, '|').append(second);
    out.append(1, '\n');
    return 1;
  }
  const char* format = defaultFormat ? defaultFormat : "";
  const char* catalogueKey = key ? key : "";
  if (second) {
    report.Append(zol::Message(catalogueKey, format, first, second));
    return 2;
  }
  report.Append(zol::Message(catalogueKey, format, first));
  return 1;
}

namespace zol {

void FindingSink::Error(const Finding& finding, ZOLINSType kind, const char* first,
                        const char* second) const {
  status = 0;
  // throwError keeps the legacy char* parameters but never writes through them.
  toc.throwError(kind, const_cast<char*>(finding.errorClass), const_cast<char*>(first),
                 const_cast<char*>(second), const_cast<char*>(finding.format),
                 const_cast<char*>(finding.key), report, compactDocReport);
}

}  // namespace zol
