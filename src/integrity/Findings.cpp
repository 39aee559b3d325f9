#include "integrity/Findings.h"

#include "base/Message.h"
#include "integrity/Observer.h"

namespace zol {

int AppendFindingEntry(ZOLUnicodeString& report, int compactDocReport, ZOLINSType kind,
                       const Finding& finding, const char* first, const char* second) {
  if (kind == ZOLINS_DOCUMENTATION && compactDocReport != 0) {
    // The compact form is a record for programs, not a message: it is never translated, so it
    // does not go through the catalogue.
    std::string entry(finding.errorClass ? finding.errorClass : "");
    entry.append(1, '|').append(first ? first : "");
    if (second) entry.append(1, '|').append(second);
    entry.append(1, '\n');
    AppendFinding(report, entry);
    return 1;
  }
  const char* format = finding.format ? finding.format : "";
  const char* key = finding.key ? finding.key : "";
  if (second) {
    AppendFinding(report, Message(key, format, first, second).str());
    return 2;
  }
  AppendFinding(report, Message(key, format, first).str());
  return 1;
}

void FindingSink::Error(const Finding& finding, ZOLINSType kind, const char* first,
                        const char* second) const {
  status = 0;
  AppendFindingEntry(report, compactDocReport, kind, finding, first, second);
}

}  // namespace zol

int ZOLINSInstToc::throwError(ZOLINSType kind, char* errorClass, char* first, char* second,
                              char* defaultFormat, char* key, ZOLUnicodeString& report,
                              int compactDocReport) {
  return zol::AppendFindingEntry(report, compactDocReport, kind,
                                 zol::Finding{errorClass, defaultFormat, key}, first, second);
}
