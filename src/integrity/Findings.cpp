#include "integrity/Findings.h"

#include "base/Message.h"
#include "integrity/Observer.h"

int ZOLINSInstToc::throwError(ZOLINSType kind, char* errorClass, char* first, char* second,
                              char* defaultFormat, char* key, ZOLUnicodeString& report,
                              int compactDocReport) {
  if (kind == ZOLINS_DOCUMENTATION && compactDocReport != 0) {
    std::string entry(errorClass ? errorClass : "");
    entry.append(1, '|').append(first ? first : "");
    if (second) entry.append(1, '|').append(second);
    entry.append(1, '\n');
    zol::AppendFinding(report, entry);
    return 1;
  }
  const char* format = defaultFormat ? defaultFormat : "";
  const char* catalogueKey = key ? key : "";
  if (second) {
    zol::AppendFinding(report, zol::Message(catalogueKey, format, first, second).str());
    return 2;
  }
  zol::AppendFinding(report, zol::Message(catalogueKey, format, first).str());
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
