#include "integrity/ElementWalk.h"

#include <fcntl.h>
#include <unistd.h>

#include "ZOLFile.h"
#include "ZOLINSIntegrity.h"
#include "base/Files.h"
#include "base/UniqueFd.h"
#include "foundation/Names.h"
#include "integrity/ControlText.h"
#include "integrity/FileChecks.h"
#include "integrity/FileSum.h"
#include "integrity/Observer.h"

namespace zol {
namespace {

// The base name buffer that GetSPKMaxAndControlNameBase fills.
constexpr std::size_t kBaseNameSize = 64;

// Names such as B12.x (a "B", two digits, a dot) are level elements: only their control file is
// looked for.
bool IsLevelElement(std::string_view name) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return name.size() >= 4 && name[0] == 'B' && digit(name[1]) && digit(name[2]) && name[3] == '.';
}

}  // namespace

ElementWalk::ElementWalk(ZOLINSInstToc& toc, ZOLUnicodeString& report, const char* installPath,
                         int checkLevel, int compactDocReport, int& status)
    : toc_(toc),
      report_(report),
      installPath_(installPath ? installPath : ""),
      checkLevel_(checkLevel),
      sink_{toc, report, compactDocReport, status},
      controlDirectory_(installPath_ + "/control/"),
      installedSpkLevel_(toc.GetSPKLevel(1)) {
  std::string root(installPath_);
  int* flags = languages_;
  WhichNLSFontsInstalled(root.data(), flags[0], flags[1], flags[2], flags[3], flags[4], flags[5],
                         flags[6], flags[7]);
  skipListRead_ = GetCI3SkippedFilesStr(skipList_);
}

void ElementWalk::Run() {
  const int count = toc_.GetNbToc();
  for (int i = 0; i < count; ++i) {
    if (CheckInterrupt(report_)) break;
    ZOLINSUnitToc& record = *toc_.GetIiemeUnitToc(i);
    ReportProgress({i + 1, count, record.GetName(), files_, bytes_});
    CheckElement(record);
  }
  ReportProgress({count + 1, count, nullptr, files_, bytes_});
}

void ElementWalk::CheckElement(ZOLINSUnitToc& record) {
  if (record.GetPackage() == ZOLINS_PDO) return;
  controlPath_.assign(controlDirectory_).append(record.GetName());
  if (ZOLFileAccess(controlPath_.c_str(), 0) != 0)
    return sink_.Error(kFileNotFound, record.GetType(), controlPath_.c_str());
  if (IsLevelElement(record.GetName()) || checkLevel_ < 1) return;
  const std::unique_ptr<char[]> text = ControlText(record);
  if (!text) return;
  const std::string_view control(text.get());
  filesBase_ = FilesBase(installPath_, control, record.GetName());
  ForEachControlLine(control,
                     [&](std::string_view line) { CheckListedFile(line, record.GetType()); });
}

std::unique_ptr<char[]> ElementWalk::ControlText(ZOLINSUnitToc& record) {
  char baseName[kBaseNameSize] = "";
  const int spkMax = ServicePackBound(record, baseName);
  if (IsServicePacked(installedSpkLevel_, spkMax) && !checkedBases_.insert(baseName).second)
    return nullptr;
  ZOLUnicodeString checked(":");
  char* text = nullptr;
  if (toc_.GetPathnameStr(installedSpkLevel_, spkMax, checked, baseName, record.GetType(), report_,
                          sink_.compactDocReport, sink_.status, ZOLUnicodeString(), &text,
                          ZOLUnicodeString(controlPath_),
                          static_cast<int>(controlDirectory_.size())) != 0)
    return nullptr;
  return std::unique_ptr<char[]>(text);
}

int ElementWalk::ServicePackBound(ZOLINSUnitToc& record, char* baseName) {
  if (installedSpkLevel_ <= 0) return 0;
  const std::string_view base = ControlBaseName(record.GetName());
  std::string key = std::to_string(record.GetType()) + ':';
  key.append(base);
  const auto known = spkBounds_.find(key);
  if (known != spkBounds_.end()) {
    CopyCut(baseName, kBaseNameSize, base);
    return known->second;
  }
  int spkMax = 0;
  toc_.GetSPKMaxAndControlNameBase(record.GetName(), record.GetType(), installedSpkLevel_, spkMax,
                                   baseName);
  spkBounds_.emplace(std::move(key), spkMax);
  return spkMax;
}

void ElementWalk::CheckListedFile(std::string_view line, ZOLINSType kind) {
  const std::size_t blank = line.find(' ');
  const bool hasChecksum = blank != std::string_view::npos;
  std::string_view listed = line.substr(0, blank);
  checksumText_.assign(hasChecksum ? line.substr(blank + 1) : std::string_view());
  ++files_;
  if (!listed.empty() && listed.front() == '.') listed.remove_prefix(1);
  filePath_.assign(filesBase_).append(listed);
  if (ComparesCheckSum(hasChecksum, checksumText_, checkLevel_, skipListRead_ != 0, filePath_,
                       skipList_.str())) {
    // A file whose checksum is compared is opened first: the path lookup of access(2) is paid
    // only when the file cannot be opened, to tell a missing file from an unreadable one. This
    // is what keeps a level-2 check close to the cost of reading the files.
    const UniqueFd fd = OpenForReading(filePath_);
    if (fd.valid() || ::access(filePath_.c_str(), F_OK) == 0) {
      const unsigned long sum = fd.valid() ? CheckSumOfOpenFile(fd.get(), &bytes_) : 1;
      return ReportCheckSum(sink_, kind, filePath_.c_str(), sum, checksumText_);
    }
  } else if (::access(filePath_.c_str(), F_OK) == 0) {
    // Present and not compared: CheckCheckSum has nothing more to do.
    return;
  }
  int* flags = languages_;
  toc_.CheckNLSOrFontsOrDeleted(filePath_.data(), flags[0], flags[1], flags[2], flags[3], flags[4],
                                flags[5], flags[6], flags[7], skipList_, kind, report_,
                                sink_.compactDocReport, sink_.status);
}

}  // namespace zol
