#include "integrity/FileChecks.h"

#include <cstdio>
#include <string>

#include "ZOLCheckSum.h"
#include "integrity/ColonList.h"
#include "integrity/ControlText.h"
#include "integrity/Languages.h"

namespace zol {

bool ComparesCheckSum(bool hasChecksum, std::string_view checksumText, int checkLevel,
                      bool skipListRead, std::string_view path, std::string_view skipList) {
  if (!hasChecksum || checksumText == "0" || checkLevel != 2) return false;
  return !(skipListRead && ColonListHas(skipList, LastComponent(path)));
}

void ReportCheckSum(const FindingSink& sink, ZOLINSType kind, const char* path, unsigned long sum,
                    std::string_view checksumText) {
  if (sum == 1) return sink.Error(kReadOpenFailed, kind, path);
  char text[24];
  const int length = std::snprintf(text, sizeof text, "%lu", sum);
  if (checksumText != std::string_view(text, static_cast<std::size_t>(length)))
    sink.Error(kCheckSumMisMatch, kind, path);
}

}  // namespace zol

void ZOLINSInstToc::CheckNLSOrFontsOrDeleted(char* path, int french, int german, int italian,
                                             int russian, int japanese, int simplifiedChinese,
                                             int korean, int fonts, ZOLUnicodeString skipList,
                                             ZOLINSType kind, ZOLUnicodeString& report,
                                             int compactDocReport, int& status) {
  const std::string_view file(path ? path : "");
  const int flags[zol::kLanguageFlagCount] = {
      french, german, italian, russian, japanese, simplifiedChinese, korean, fonts};
  if (zol::InUninstalledLanguageOrFonts(file, flags)) return;
  // "d*<name>" in the skip list: a file that may have been removed.
  if (zol::ColonListHas(skipList.str(), "d*" + std::string(zol::LastComponent(file)))) return;
  zol::FindingSink{*this, report, compactDocReport, status}.Error(zol::kFileNotFound, kind,
                                                                  file.data());
}

int ZOLINSInstToc::CheckCheckSum(int hasChecksum, char* checksumText, int checkLevel,
                                 int skipListRead, char* path, ZOLUnicodeString skipList,
                                 ZOLINSType kind, ZOLUnicodeString& report, int compactDocReport,
                                 int& status) {
  const std::string_view expected(checksumText ? checksumText : "");
  const std::string_view file(path ? path : "");
  if (!zol::ComparesCheckSum(hasChecksum != 0, expected, checkLevel, skipListRead != 0, file,
                             skipList.str()))
    return 1;
  const unsigned long sum = ZOLCalcCheckSum(path);
  zol::ReportCheckSum(zol::FindingSink{*this, report, compactDocReport, status}, kind, file.data(),
                      sum, expected);
  return 0;
}
