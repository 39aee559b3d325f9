#include "integrity/ElementWalk.h"

#include <unistd.h>

#include "ZOLFile.h"
#include "ZOLINSIntegrity.h"
#include "integrity/ControlLookup.h"
#include "integrity/ControlText.h"
#include "integrity/FileChecks.h"
#include "integrity/FileSum.h"
#include "integrity/Observer.h"

namespace zol {
namespace {

// Names such as B12.x (a "B", two digits, a dot) are level elements: only their control file is
// looked for.
bool IsLevelElement(std::string_view name) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return name.size() >= 4 && name[0] == 'B' && digit(name[1]) && digit(name[2]) && name[3] == '.';
}

}  // namespace

CheckContext::CheckContext(const ZOLINSInstToc& table, ZOLUnicodeString& out, std::string root,
                           int level, int compactDocReport, int& status)
    : toc(table),
      report(out),
      sink{out, compactDocReport, status},
      installPath(std::move(root)),
      controlDirectory(installPath + "/control/"),
      checkLevel(level),
      installedSpkLevel(table.GetSPKLevel(1)),
      skip(ReadSkipList()) {
  MarkInstalledLanguages(installPath, languages);
}

ListedLine ParseListedLine(std::string_view line) {
  ListedLine parsed;
  const std::size_t blank = line.find(' ');
  parsed.hasChecksum = blank != std::string_view::npos;
  parsed.listed = line.substr(0, blank);
  if (parsed.hasChecksum) parsed.checksumText = line.substr(blank + 1);
  if (!parsed.listed.empty() && parsed.listed.front() == '.') parsed.listed.remove_prefix(1);
  return parsed;
}

ListedSum SumListedFile(const std::string& path) {
  ListedSum result;
  const OpenedFile file = OpenRegularFile(path);
  result.opened = file.failure != OpenedFile::Failure::kOpen;
  if (!result.opened) return result;
  result.sum = SumOfOpenFile(file, &result.interrupted);
  if (result.sum) result.bytes = file.size;
  return result;
}

void ElementWalk::Run() {
  const int count = context_.toc.GetNbToc();
  for (int i = 0; i < count; ++i) {
    if (CheckInterrupt(context_.report)) break;
    const ZOLINSUnitToc& record = *context_.toc.GetIiemeUnitToc(i);
    ReportProgress({i + 1, count, record.GetName(), files_, bytes_});
    CheckElement(record);
  }
  ReportProgress({count + 1, count, nullptr, files_, bytes_});
}

void ElementWalk::CheckElement(const ZOLINSUnitToc& record) {
  if (record.GetPackage() == ZOLINS_PDO) return;
  const ZOLINSType kind = record.GetType();
  controlPath_.assign(context_.controlDirectory).append(record.GetName());
  if (ZOLFileAccess(controlPath_.c_str(), 0) != 0)
    return context_.sink.Error(kFileNotFound, kind, controlPath_.c_str());
  if (IsLevelElement(record.GetName()) || context_.checkLevel < 1) return;
  const ElementPlan plan = Plan(record);
  if (IsServicePacked(context_.installedSpkLevel, plan.spkMax) &&
      !checkedBases_.emplace(plan.base).second)
    return;
  if (ReportControlFailure(context_.sink, kind, plan.control)) return;
  ForEachControlLine(*plan.control.text, [&](std::string_view line) {
    filePath_.assign(plan.filesBase);
    CheckListedFile(ParseListedLine(line), kind);
  });
}

ElementPlan ElementWalk::Plan(const ZOLINSUnitToc& record) {
  ElementPlan plan;
  plan.base = ControlBaseName(record.GetName());
  if (context_.installedSpkLevel > 0) {
    std::string key = std::to_string(record.GetType()) + ':';
    key.append(plan.base);
    auto known = spkBounds_.find(key);
    if (known == spkBounds_.end()) {
      const int spkMax = ServicePackMax(context_.toc, std::string(plan.base), record.GetType());
      known = spkBounds_.emplace(std::move(key), spkMax).first;
    }
    plan.spkMax = known->second;
  }
  plan.control =
      ReadElementControl(context_.toc, controlPath_, context_.controlDirectory, plan.base,
                         context_.installedSpkLevel, plan.spkMax, record.GetType());
  if (plan.control.text)
    plan.filesBase = FilesBase(context_.installPath, *plan.control.text, record.GetName());
  return plan;
}

void ElementWalk::CheckListedFile(const ListedLine& line, ZOLINSType kind) {
  ++files_;
  filePath_.append(line.listed);
  if (ComparesCheckSum(line.hasChecksum, line.checksumText, context_.checkLevel, context_.skip,
                       filePath_)) {
    // A file whose checksum is compared is opened first: the path lookup of access(2) is paid
    // only when the file cannot be opened, to tell a missing file from an unreadable one. This
    // is what keeps a level-2 check close to the cost of reading the files.
    const ListedSum sum = SumListedFile(filePath_);
    if (sum.opened || ::access(filePath_.c_str(), F_OK) == 0) {
      // A file whose read an interrupt cut short is neither bad nor unreadable.
      if (sum.interrupted) return;
      bytes_ += static_cast<long long>(sum.bytes);
      return ReportCheckSum(context_.sink, kind, filePath_, sum.sum, line.checksumText);
    }
  } else if (::access(filePath_.c_str(), F_OK) == 0) {
    return;  // present, and its checksum not compared
  }
  CheckMissingFile(context_.sink, context_.languages, context_.skip, filePath_, kind);
}

}  // namespace zol
