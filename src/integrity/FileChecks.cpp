#include "integrity/FileChecks.h"

#include <cstdio>

#include "integrity/ControlText.h"
#include "integrity/FileSum.h"

namespace zol {

bool ComparesCheckSum(bool hasChecksum, std::string_view checksumText, int checkLevel,
                      const SkipList& skip, std::string_view path) {
  if (!hasChecksum || checksumText == "0" || checkLevel != 2) return false;
  return !skip.ExemptsSum(LastComponent(path));
}

void ReportCheckSum(const FindingSink& sink, ZOLINSType kind, const std::string& path,
                    std::optional<std::uint32_t> sum, std::string_view checksumText) {
  if (!sum) return sink.Error(kReadOpenFailed, kind, path.c_str());
  char text[24];
  const int length = std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(*sum));
  if (checksumText != std::string_view(text, static_cast<std::size_t>(length)))
    sink.Error(kCheckSumMisMatch, kind, path.c_str());
}

void CheckMissingFile(const FindingSink& sink, const LanguageFlags& languages, const SkipList& skip,
                      const std::string& path, ZOLINSType kind) {
  if (InUninstalledLanguageOrFonts(path, languages)) return;
  if (skip.AllowsMissing(LastComponent(path))) return;
  sink.Error(kFileNotFound, kind, path.c_str());
}

}  // namespace zol

void ZOLINSInstToc::CheckNLSOrFontsOrDeleted(char* path, int french, int german, int italian,
                                             int russian, int japanese, int simplifiedChinese,
                                             int korean, int fonts, ZOLUnicodeString skipList,
                                             ZOLINSType kind, ZOLUnicodeString& report,
                                             int compactDocReport, int& status) {
  const zol::LanguageFlags flags = {french, german, italian, russian, japanese, simplifiedChinese,
                                    korean, fonts};
  const zol::SkipList skip(std::move(skipList.str()), true);
  zol::CheckMissingFile({report, compactDocReport, status}, flags, skip, path ? path : "", kind);
}

int ZOLINSInstToc::CheckCheckSum(int hasChecksum, char* checksumText, int checkLevel,
                                 int skipListRead, char* path, ZOLUnicodeString skipList,
                                 ZOLINSType kind, ZOLUnicodeString& report, int compactDocReport,
                                 int& status) {
  const std::string_view expected(checksumText ? checksumText : "");
  const std::string file(path ? path : "");
  const zol::SkipList skip(std::move(skipList.str()), skipListRead != 0);
  if (!zol::ComparesCheckSum(hasChecksum != 0, expected, checkLevel, skip, file)) return 1;
  const std::optional<std::uint32_t> sum = zol::SumOfOpenFile(zol::OpenRegularFile(file), nullptr);
  zol::ReportCheckSum({report, compactDocReport, status}, kind, file, sum, expected);
  return 0;
}
