#include "integrity/ElementWalk.h"

#include <unistd.h>

#include <system_error>

#include "ZOLFile.h"
#include "ZOLINSIntegrity.h"
#include "integrity/ControlLookup.h"
#include "integrity/ControlText.h"
#include "integrity/FileChecks.h"
#include "integrity/FileSum.h"
#include "integrity/Observer.h"
#include "integrity/ReadAhead.h"

namespace zol {
namespace {

// Names such as B12.x (a "B", two digits, a dot) are level elements: only their control file is
// looked for.
bool IsLevelElement(std::string_view name) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return name.size() >= 4 && name[0] == 'B' && digit(name[1]) && digit(name[2]) && name[3] == '.';
}

// How far ahead of the element being checked the walk reads: files submitted, and elements.
constexpr std::size_t kFilesAhead = 8192;
constexpr std::size_t kElementsAhead = 256;

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

ElementWalk::ElementWalk(CheckContext& context, int readers) : context_(context) {
  // Only a level-2 check reads files; without threads it reads them as it gets to them.
  if (readers <= 1 || context_.checkLevel != 2) return;
  try {
    readers_ = std::make_unique<SumReaders>(readers);
  } catch (const std::system_error&) {
  }
}

ElementWalk::~ElementWalk() = default;

void ElementWalk::Run() {
  const int count = context_.toc.GetNbToc();
  for (int i = 0; i < count; ++i) {
    if (CheckInterrupt(context_.report)) break;
    const ZOLINSUnitToc& record = *context_.toc.GetIiemeUnitToc(i);
    ReportProgress({i + 1, count, record.GetName(), files_, bytes_});
    if (readers_) {
      PrepareAhead(i);
      current_ = std::move(prepared_.front());
      prepared_.pop_front();
    }
    CheckElement(record);
    ReleaseCurrent();
  }
  ReportProgress({count + 1, count, nullptr, files_, bytes_});
}

void ElementWalk::CheckElement(const ZOLINSUnitToc& record) {
  if (record.GetPackage() == ZOLINS_PDO) return;
  const ZOLINSType kind = record.GetType();
  controlPath_.assign(context_.controlDirectory).append(record.GetName());
  if (ZOLFileAccess(controlPath_.c_str(), 0) != 0)
    return context_.sink.Error(kFileNotFound, kind, controlPath_.c_str());
  if (!NeedsPlan(record)) return;
  const ElementPlan plan =
      current_ && current_->plan ? std::move(*current_->plan) : Plan(record, controlPath_);
  if (IsServicePacked(context_.installedSpkLevel, plan.spkMax) &&
      !checkedBases_.emplace(plan.base).second)
    return;
  if (ReportControlFailure(context_.sink, kind, plan.control)) return;
  ForEachControlLine(*plan.control.text, [&](std::string_view line) {
    filePath_.assign(plan.filesBase);
    CheckListedFile(ParseListedLine(line), kind);
  });
}

bool ElementWalk::NeedsPlan(const ZOLINSUnitToc& record) const {
  return record.GetPackage() != ZOLINS_PDO && !IsLevelElement(record.GetName()) &&
         context_.checkLevel >= 1;
}

ElementPlan ElementWalk::Plan(const ZOLINSUnitToc& record, const std::string& controlPath) {
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
  plan.control = ReadElementControl(context_.toc, controlPath, context_.controlDirectory, plan.base,
                                    context_.installedSpkLevel, plan.spkMax, record.GetType());
  if (plan.control.text)
    plan.filesBase = FilesBase(context_.installPath, *plan.control.text, record.GetName());
  return plan;
}

void ElementWalk::PrepareAhead(int current) {
  const int count = context_.toc.GetNbToc();
  while (preparedCount_ < count &&
         (preparedCount_ <= current ||
          (prepared_.size() < kElementsAhead && readers_->Pending() < kFilesAhead)))
    Prepare(*context_.toc.GetIiemeUnitToc(preparedCount_++));
}

// What CheckElement will read for `record`, read now; its files go to the readers. Nothing is
// reported here: whatever went wrong is reported, or not, when the element's turn comes.
void ElementWalk::Prepare(const ZOLINSUnitToc& record) {
  Prepared& element = prepared_.emplace_back();
  if (!NeedsPlan(record)) return;
  const std::string controlPath = context_.controlDirectory + record.GetName();
  element.plan = Plan(record, controlPath);
  const ElementPlan& plan = *element.plan;
  if (!plan.control.text) return;
  std::vector<std::string> paths;
  ForEachControlLine(*plan.control.text, [&](std::string_view text) {
    const ListedLine line = ParseListedLine(text);
    std::string path = plan.filesBase;
    path.append(line.listed);
    if (ComparesCheckSum(line.hasChecksum, line.checksumText, context_.checkLevel, context_.skip,
                         path))
      paths.push_back(std::move(path));
  });
  const std::size_t count = paths.size();
  element.nextTicket = readers_->Submit(std::move(paths));
  element.endTicket = element.nextTicket + count;
}

void ElementWalk::ReleaseCurrent() {
  if (!current_) return;
  for (; current_->nextTicket < current_->endTicket; ++current_->nextTicket)
    readers_->Drop(current_->nextTicket);
  current_.reset();
}

ListedSum ElementWalk::NextSum(const std::string& path) {
  if (current_ && current_->nextTicket < current_->endTicket) {
    const std::optional<ListedSum> sum = readers_->Take(current_->nextTicket++, path);
    if (sum) return *sum;
  }
  return SumListedFile(path);
}

void ElementWalk::CheckListedFile(const ListedLine& line, ZOLINSType kind) {
  ++files_;
  filePath_.append(line.listed);
  if (ComparesCheckSum(line.hasChecksum, line.checksumText, context_.checkLevel, context_.skip,
                       filePath_)) {
    // A file whose checksum is compared is opened first: the path lookup of access(2) is paid
    // only when the file cannot be opened, to tell a missing file from an unreadable one. This
    // is what keeps a level-2 check close to the cost of reading the files.
    const ListedSum sum = NextSum(filePath_);
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
