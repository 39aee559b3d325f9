#ifndef ZOLINS_INTEGRITY_ELEMENT_WALK_H
#define ZOLINS_INTEGRITY_ELEMENT_WALK_H

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "ZOLINSInstToc.h"
#include "integrity/ControlFile.h"
#include "integrity/Findings.h"
#include "integrity/Languages.h"
#include "integrity/SkippedFiles.h"

namespace zol {

// What every step of one check's file walk reads: the table, where findings go, and what is read
// once per check (languages, skip list).
struct CheckContext {
  CheckContext(const ZOLINSInstToc& table, ZOLUnicodeString& report, std::string root, int level,
               int compactDocReport, int& status);

  const ZOLINSInstToc& toc;
  ZOLUnicodeString& report;
  const FindingSink sink;
  const std::string installPath;
  const std::string controlDirectory;  // installPath + "/control/"
  const int checkLevel;
  const int installedSpkLevel;
  LanguageFlags languages = {};
  const SkipList skip;
};

// One line of a control text: the listed path and, after its first blank, the checksum text.
struct ListedLine {
  std::string_view listed;  // without its leading "."
  std::string_view checksumText;
  bool hasChecksum = false;
};
ListedLine ParseListedLine(std::string_view line);

// What an element is checked from: its base name, its service-pack bound, its control text and
// the directory its listed paths are relative to.
struct ElementPlan {
  std::string_view base;
  int spkMax = 0;
  ControlRead control;
  std::string filesBase;
};

// The sum of one listed file as the walk needs it: whether it could be opened at all (to tell an
// unreadable file from a missing one), its checksum, and whether an interrupt cut the read short.
struct ListedSum {
  bool opened = false;
  bool interrupted = false;
  std::optional<std::uint32_t> sum;
  std::uint64_t bytes = 0;
};
ListedSum SumListedFile(const std::string& path);

class SumReaders;

// The walk of an integrity check over the records of an installed TOC: for each record its
// control file, then each file that the control file lists. With `readers` above 1, the control
// texts of the next elements are read, and the files whose checksums they compare submitted to
// that many reading threads, ahead of the element being checked; what is reported, and when,
// stays the same, since only this thread reports and it does so in the walk's order.
class ElementWalk {
 public:
  ElementWalk(CheckContext& context, int readers);
  ~ElementWalk();
  void Run();

 private:
  // An element read ahead: its plan (none when only its control file is looked for) and the
  // tickets of its files at the readers.
  struct Prepared {
    std::optional<ElementPlan> plan;
    std::size_t nextTicket = 0;
    std::size_t endTicket = 0;
  };
  void CheckElement(const ZOLINSUnitToc& record);
  bool NeedsPlan(const ZOLINSUnitToc& record) const;
  ElementPlan Plan(const ZOLINSUnitToc& record, const std::string& controlPath);
  void PrepareAhead(int current);
  void Prepare(const ZOLINSUnitToc& record);
  void ReleaseCurrent();
  ListedSum NextSum(const std::string& path);
  void CheckListedFile(const ListedLine& line, ZOLINSType kind);

  CheckContext& context_;
  std::unique_ptr<SumReaders> readers_;
  std::deque<Prepared> prepared_;  // the elements after the last one checked, in order
  int preparedCount_ = 0;          // records prepared so far
  std::optional<Prepared> current_;
  // Base names already checked from their service pack.
  std::unordered_set<std::string> checkedBases_;
  // Service-pack bounds already worked out, by type and base name: finding one may mean trying
  // every installed base.1, base.2...
  std::unordered_map<std::string, int> spkBounds_;
  std::string controlPath_;
  std::string filePath_;
  // What the progress observer is told.
  long long files_ = 0;
  long long bytes_ = 0;
};

}  // namespace zol

#endif
