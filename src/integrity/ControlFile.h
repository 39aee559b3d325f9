#ifndef ZOLINS_INTEGRITY_CONTROL_FILE_H
#define ZOLINS_INTEGRITY_CONTROL_FILE_H

#include <optional>
#include <string>

#include "integrity/Findings.h"

namespace zol {

// The text of an element's control file, or why it could not be had and which file failed.
struct ControlRead {
  enum class Failure { kNone, kOpen, kStat, kRead };
  std::optional<std::string> text;  // set exactly when failure is kNone
  Failure failure = Failure::kNone;
  std::string failedPath;
};

// Reads the whole control file at `path`; an empty file, or one that is not a regular file, is a
// read failure.
ControlRead ReadControlFile(const std::string& path);

// The text a service-packed element is checked from: the service-pack control file `spkPath`
// followed by the lines of the base control file `basePath` (when `baseInstalled`) whose paths the
// service pack does not list.
ControlRead ReadMergedControl(const std::string& spkPath, const std::string& basePath,
                              bool baseInstalled);

// Reports the failure of `read`, if any (statFailed, rOpenFailed or readFailed for its file);
// false when there was none.
bool ReportControlFailure(const FindingSink& sink, ZOLINSType kind, const ControlRead& read);

// Appends to `text` (a service-pack control text) each line of the control file `basePath` whose
// path the service-pack text does not list, each followed by "\n". False when `basePath` cannot
// be opened.
bool AppendLinesNotListed(std::string& text, const std::string& basePath);

}  // namespace zol

#endif
