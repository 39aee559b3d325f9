#include "installed/PresentAppend.h"

#include <memory>
#include <set>
#include <string_view>

#include "ZOLINSInstToc.h"
#include "ZOLINSUnitToc.h"
#include "base/FileWriter.h"
#include "base/Files.h"
#include "base/Message.h"
#include "toc/RecordLine.h"

namespace zol {
namespace {

enum class Admission { Append, AlreadyRecorded, CompleteLastLine, Refused };

// The installed-name lists that PRESENT would give once more lines are added to it: the loaded
// table's lists plus the names those lines add.
class ListsAfter {
 public:
  explicit ListsAfter(const ZOLINSInstToc& table) : table_(table) {}

  bool Holds(const ZOLINSUnitToc& record) const {
    return Holds(record.GetType(), record.GetName());
  }
  // Its name goes to the list of its type; what it supersedes to list 3 + type (samples: none).
  void Add(const ZOLINSUnitToc& record) {
    const int type = record.GetType();
    if (!Holds(type, record.GetName())) extra_[type].insert(record.GetName());
    for (int s = 0; type < 3 && s < record.GetNbSupersede(); ++s)
      if (!Holds(type + 3, record.GetSupersede(s))) extra_[type + 3].insert(record.GetSupersede(s));
  }
  // A list that would hold more names than a load accepts, or -1.
  int Overflowing() const {
    for (int list = 0; list < 6; ++list)
      if (table_.GetNbNameInst(static_cast<ZOLINSType>(list)) + extra_[list].size() >
          static_cast<std::size_t>(ZOLINS_STOCK_CAPACITY))
        return list;
    return -1;
  }

 private:
  bool Holds(int list, const char* name) const {
    return table_.IsInstalled(name, static_cast<ZOLINSType>(list)) == 0 || extra_[list].count(name);
  }
  const ZOLINSInstToc& table_;
  std::set<std::string> extra_[6];
};

// A record line parsed; null when it does not parse into one of the four record types.
std::unique_ptr<ZOLINSUnitToc> Parse(std::string_view line) {
  auto record = std::make_unique<ZOLINSUnitToc>();
  ZOLUnicodeString ignored;
  if (ParseRecordLine(*record, line, ignored) != 1) return nullptr;
  const int type = record->GetType();
  return type == ZOLINS_CODE || type == ZOLINS_RUX2 || type == ZOLINS_DOCUMENTATION ||
                 type == ZOLINS_SAMPLES
             ? std::move(record)
             : nullptr;
}

Admission Refuse(const std::string& path, const char* name) {
  PrintMessage(Message("UpdatePresentFromToc.Unloadable",
                       "%s: %s is not recorded: with it, %s could no longer be loaded (more than "
                       "%d names in one list, or a last line without line feed that repeats a "
                       "record or is not one)",
                       path, name, path, static_cast<int>(ZOLINS_STOCK_CAPACITY)));
  return Admission::Refused;
}

// Whether PRESENT (`content`, read from `path`) takes `record` as one more line. Its last line,
// when no line feed ends it, is not loaded yet but becomes a record once the new line follows it.
// A PRESENT that does not load (empty, damaged already) cannot be made worse: the line is appended
// as it always was.
Admission Admit(const std::string& path, const std::string& content, const char* name,
                std::string_view record) {
  auto table = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString ignored;
  std::string copy(path);
  const std::unique_ptr<ZOLINSUnitToc> added = Parse(record);
  if (!added || table->InitInst(&copy[0], ignored) != 1) return Admission::Append;
  ListsAfter lists(*table);
  std::unique_ptr<ZOLINSUnitToc> pending;
  if (!content.empty() && content.back() != '\n') {
    pending = Parse(std::string_view(content).substr(content.rfind('\n') + 1));  // npos + 1: 0
    if (!pending || lists.Holds(*pending)) return Refuse(path, name);
  }
  if (lists.Holds(*added)) return Admission::AlreadyRecorded;
  if (pending) {
    if (pending->GetType() == added->GetType() &&
        std::string_view(pending->GetName()) == added->GetName())
      return Admission::CompleteLastLine;
    lists.Add(*pending);
  }
  lists.Add(*added);
  return lists.Overflowing() < 0 ? Admission::Append : Refuse(path, name);
}

int Result(const WriteResult& written) {
  if (written.ok()) return 0;
  return written.failed == WriteStep::Examine || written.failed == WriteStep::Open ? -200 : -112;
}

}  // namespace

int AppendPresentLine(const char* presentPath, const char* name, std::string record) {
  if (!presentPath) return -200;
  WriteTarget target;
  WriteResult examined;
  if (!ExamineTarget(presentPath, target, examined)) return -200;
  std::string content;
  // Only a regular file is read: a device or a FIFO as PRESENT just gets the line.
  if (target.exists && S_ISREG(target.info.st_mode)) {
    if (!ReadWholeFile(target.path, content)) return -200;
    switch (Admit(target.path, content, name, record)) {
      case Admission::AlreadyRecorded:
        return 0;
      case Admission::Refused:
        return -200;
      case Admission::CompleteLastLine:  // the element's line is there, only its end was missing
        record.clear();
        break;
      case Admission::Append:
        break;
    }
  }
  std::string line;
  if (!content.empty() && content.back() != '\n') line += '\n';
  if (!record.empty()) line.append(record).append(1, '\n');
  if (target.method == WriteMethod::InPlace) {
    WriteOptions append;
    append.appendInPlace = true;
    return Result(WriteToTarget(target, line, append));
  }
  content += line;
  return Result(WriteToTarget(target, content));
}

}  // namespace zol
