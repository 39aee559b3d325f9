#include "integrity/ControlLookup.h"

#include <algorithm>
#include <cstring>

#include "ZOLINSIntegrity.h"
#include "foundation/Names.h"
#include "integrity/ControlText.h"

namespace zol {
namespace {
// The base name buffer of GetSPKMaxAndControlNameBase.
constexpr std::size_t kBaseNameSize = 64;
}  // namespace

int ServicePackMax(const ZOLINSInstToc& toc, const std::string& base, ZOLINSType kind) {
  if (toc.IsInstalled(base.c_str(), kind) == 0) return toc.GetMaxSPKLevel(base.c_str(), kind);
  int count = 0;
  while (toc.IsInstalled((base + "." + std::to_string(count + 1)).c_str(), kind) == 0) ++count;
  return count;
}

ControlRead ReadElementControl(const ZOLINSInstToc& toc, const std::string& ownPath,
                               std::string_view controlDir, std::string_view base, int spkLevel,
                               int spkMax, ZOLINSType kind) {
  if (!IsServicePacked(spkLevel, spkMax)) return ReadControlFile(ownPath);
  std::string basePath(controlDir);
  basePath.append(base);
  const std::string spkPath = basePath + "." + std::to_string(spkMax);
  const bool baseInstalled = toc.IsInstalled(std::string(base).c_str(), kind) == 0;
  return ReadMergedControl(spkPath, basePath, baseInstalled);
}

}  // namespace zol

void ZOLINSInstToc::GetSPKMaxAndControlNameBase(char* name, ZOLINSType kind, int spkLevel,
                                                int& spkMax, char* baseName) {
  if (spkLevel <= 0) return;
  const std::string base(zol::ControlBaseName(name ? name : ""));
  if (baseName) zol::CopyCut(baseName, zol::kBaseNameSize, base);
  spkMax = zol::ServicePackMax(*this, base, kind);
}

int ZOLINSInstToc::GetPathnameStr(int spkLevel, int spkMax, ZOLUnicodeString& checked,
                                  char* baseName, ZOLINSType kind, ZOLUnicodeString& report,
                                  int compactDocReport, int& status, ZOLUnicodeString,
                                  char** controlText, ZOLUnicodeString controlPath,
                                  const int controlDirLength) {
  if (zol::IsServicePacked(spkLevel, spkMax) && TestChecked(baseName, checked) == 1) return 1;
  const std::string& ownPath = controlPath.str();
  const std::size_t dirLength =
      std::min(static_cast<std::size_t>(std::max(controlDirLength, 0)), ownPath.size());
  const std::string_view controlDir(ownPath.data(), dirLength);
  const zol::ControlRead read = zol::ReadElementControl(
      *this, ownPath, controlDir, baseName ? baseName : "", spkLevel, spkMax, kind);
  if (zol::ReportControlFailure({report, compactDocReport, status}, kind, read)) return 1;
  if (controlText) {
    *controlText = new char[read.text->size() + 1];
    std::memcpy(*controlText, read.text->c_str(), read.text->size() + 1);
  }
  return 0;
}

int ZOLINSInstToc::GetControleTotalStr(ZOLUnicodeString spkPath, char* baseName,
                                       ZOLUnicodeString basePath, ZOLINSType kind,
                                       ZOLUnicodeString& report, int compactDocReport, int& status,
                                       ZOLUnicodeString& text) {
  const bool baseInstalled = IsInstalled(baseName ? baseName : "", kind) == 0;
  zol::ControlRead read = zol::ReadMergedControl(spkPath.str(), basePath.str(), baseInstalled);
  if (zol::ReportControlFailure({report, compactDocReport, status}, kind, read)) return 1;
  text = ZOLUnicodeString(std::move(*read.text));
  return 0;
}
