#include <sys/stat.h>

#include <cstring>
#include <string>

#include "ZOLINSIntegrity.h"
#include "foundation/Names.h"
#include "integrity/ControlText.h"
#include "integrity/Findings.h"

namespace {

// The base name buffer of GetSPKMaxAndControlNameBase.
constexpr std::size_t kBaseNameSize = 64;

// Reports a failed read of `path`; false when there was none.
bool ReportReadError(const zol::FindingSink& sink, zol::ControlReadError error, ZOLINSType kind,
                     const std::string& path) {
  switch (error) {
    case zol::ControlReadError::kNone:
      return false;
    case zol::ControlReadError::kOpen:
      sink.Error(zol::kReadOpenFailed, kind, path.c_str());
      break;
    case zol::ControlReadError::kStat:
      sink.Error(zol::kStatFailed, kind, path.c_str());
      break;
    case zol::ControlReadError::kRead:
      sink.Error(zol::kReadFailed, kind, path.c_str());
      break;
  }
  return true;
}

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

void ZOLINSInstToc::GetSPKMaxAndControlNameBase(char* name, ZOLINSType kind, int spkLevel,
                                                int& spkMax, char* baseName) {
  if (spkLevel <= 0) return;
  const std::string base(zol::ControlBaseName(name ? name : ""));
  if (baseName) zol::CopyCut(baseName, kBaseNameSize, base);
  if (IsInstalled(base.c_str(), kind) == 0) {
    spkMax = GetMaxSPKLevel(base.c_str(), kind);
    return;
  }
  int count = 0;
  while (IsInstalled((base + "." + std::to_string(count + 1)).c_str(), kind) == 0) ++count;
  spkMax = count;
}

int ZOLINSInstToc::GetPathnameStr(int spkLevel, int spkMax, ZOLUnicodeString& checked,
                                  char* baseName, ZOLINSType kind, ZOLUnicodeString& report,
                                  int compactDocReport, int& status, ZOLUnicodeString work,
                                  char** controlText, ZOLUnicodeString controlPath,
                                  const int controlDirLength) {
  const zol::FindingSink sink{*this, report, compactDocReport, status};
  std::string& text = work.str();
  if (!zol::IsServicePacked(spkLevel, spkMax)) {
    if (ReportReadError(sink, zol::ReadControlFile(controlPath.str(), text), kind,
                        controlPath.str()))
      return 1;
  } else {
    if (TestChecked(baseName, checked) == 1) return 1;
    const std::string base(baseName ? baseName : "");
    const std::string directory =
        controlPath.str().substr(0, controlDirLength > 0 ? controlDirLength : 0);
    const ZOLUnicodeString spkPath(directory + base + "." + std::to_string(spkMax));
    const ZOLUnicodeString basePath(directory + base);
    if (GetControleTotalStr(spkPath, baseName, basePath, kind, report, compactDocReport, status,
                            work) != 0)
      return 1;
  }
  if (controlText) {
    *controlText = new char[text.size() + 1];
    std::memcpy(*controlText, text.c_str(), text.size() + 1);
  }
  return 0;
}

int ZOLINSInstToc::GetControleTotalStr(ZOLUnicodeString spkPath, char* baseName,
                                       ZOLUnicodeString basePath, ZOLINSType kind,
                                       ZOLUnicodeString& report, int compactDocReport, int& status,
                                       ZOLUnicodeString& text) {
  const zol::FindingSink sink{*this, report, compactDocReport, status};
  const std::string& spk = spkPath.str();
  const std::string& base = basePath.str();
  if (!Exists(spk)) return sink.Error(zol::kStatFailed, kind, spk.c_str()), 1;
  const bool baseInstalled = IsInstalled(baseName ? baseName : "", kind) == 0;
  if (baseInstalled && !Exists(base)) return sink.Error(zol::kStatFailed, kind, base.c_str()), 1;
  std::string merged;
  if (ReportReadError(sink, zol::ReadControlFile(spk, merged), kind, spk)) return 1;
  if (baseInstalled && !zol::AppendLinesNotListed(merged, base))
    return sink.Error(zol::kReadOpenFailed, kind, base.c_str()), 1;
  text = ZOLUnicodeString(std::move(merged));
  return 0;
}
