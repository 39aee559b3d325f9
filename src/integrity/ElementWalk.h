#ifndef ZOLINS_INTEGRITY_ELEMENT_WALK_H
#define ZOLINS_INTEGRITY_ELEMENT_WALK_H

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "ZOLINSCheckProgress.h"
#include "integrity/Findings.h"
#include "integrity/Languages.h"

namespace zol {

// The walk of an integrity check over the records of an installed TOC: for each record its
// control file, then each file that the control file lists. One object per walk; it holds what
// the walk reads once (languages, skip list) and the buffers reused from line to line.
class ElementWalk {
 public:
  ElementWalk(ZOLINSInstToc& toc, ZOLUnicodeString& report, const char* installPath, int checkLevel,
              int compactDocReport, int& status);
  void Run();

 private:
  void CheckElement(ZOLINSUnitToc& record);
  // The control text of the record, or null when there is nothing to check.
  std::unique_ptr<char[]> ControlText(ZOLINSUnitToc& record);
  int ServicePackBound(ZOLINSUnitToc& record, char* baseName);
  void CheckListedFile(std::string_view line, ZOLINSType kind);

  ZOLINSInstToc& toc_;
  ZOLUnicodeString& report_;
  const std::string installPath_;
  const int checkLevel_;
  const FindingSink sink_;
  const std::string controlDirectory_;
  const int installedSpkLevel_;
  int languages_[kLanguageFlagCount] = {};
  ZOLUnicodeString skipList_;
  int skipListRead_ = 0;
  // Base names already checked from their service pack. GetPathnameStr keeps them in a colon list
  // that it searches from the start; here they are hashed, and GetPathnameStr is handed a list
  // with no other name, so that its search costs nothing whatever the number of elements.
  std::unordered_set<std::string> checkedBases_;
  // Service-pack bounds already worked out, by type and base name: finding one may mean trying
  // every installed base.1, base.2...
  std::unordered_map<std::string, int> spkBounds_;
  std::string controlPath_;
  std::string filesBase_;
  std::string filePath_;
  std::string checksumText_;
  // What the progress observer is told.
  long long files_ = 0;
  long long bytes_ = 0;
};

}  // namespace zol

#endif
