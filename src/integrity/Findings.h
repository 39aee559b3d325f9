#ifndef ZOLINS_INTEGRITY_FINDINGS_H
#define ZOLINS_INTEGRITY_FINDINGS_H

#include "ZOLINSInstToc.h"

namespace zol {

// A finding of the file and dependency checks: its error class (the compact form's first field),
// the English default text and the catalogue key.
struct Finding {
  const char* errorClass;
  const char* format;
  const char* key;
};

inline constexpr Finding kFileNotFound{"FilenotFound",
                                       "%s: file not found, possible trouble in case of removal",
                                       "CheckIntegrity.FilenotFound"};
inline constexpr Finding kReadOpenFailed{
    "rOpenFailed", "%s: unable to open this file in reading mode", "CheckIntegrity.rOpenFailed"};
inline constexpr Finding kStatFailed{"statFailed", "%s: unable to determine this file's size",
                                     "CheckIntegrity.statFailed"};
inline constexpr Finding kReadFailed{"readFailed", "%s: unable to read this file",
                                     "CheckIntegrity.readFailed"};
inline constexpr Finding kCheckSumMisMatch{"CheckSumMisMatch",
                                           "%s: CheckSum mismatch. Bad or modified file",
                                           "CheckIntegrity.CheckSumMisMatch"};
inline constexpr Finding kAloneFramework{
    "Alonefwk", "%s: alone framework (no PRD or SLT prereqs it)", "CheckIntegrity.Alonefwk"};
inline constexpr Finding kAloneDocFramework{
    "AloneDOCfwk", "%s: alone framework (no PDO prereqs it)", "CheckIntegrity.AloneDOCfwk"};
inline constexpr Finding kPrereq{"Prereq", "%s is a prerequisite of %s, but is not installed",
                                 "CheckIntegrity.Prereq"};

// Appends one finding to `report`: "class|first[|second]\n" for a documentation element when
// `compactDocReport` is set, else the catalogue message. Returns the number of message parameters
// (1 in the compact form). `second` may be null.
int AppendFindingEntry(ZOLUnicodeString& report, int compactDocReport, ZOLINSType kind,
                       const Finding& finding, const char* first, const char* second);

// Where the findings of one check go.
struct FindingSink {
  ZOLUnicodeString& report;
  int compactDocReport;
  int& status;

  // Records an error: status 0 and one entry; `second` may be null.
  void Error(const Finding& finding, ZOLINSType kind, const char* first,
             const char* second = nullptr) const;
};

}  // namespace zol

#endif
