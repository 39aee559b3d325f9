#ifndef ZOLINS_INTEGRITY_SKIPPED_FILES_H
#define ZOLINS_INTEGRITY_SKIPPED_FILES_H

#include <string>
#include <string_view>
#include <unordered_set>

namespace zol {

// Sets `list` to ":" followed by each line of the CI3SkippedFiles that ZOLReffilesPath leads to,
// each followed by ":". False (the list then ":") when no such file could be read or it is empty.
bool ReadSkippedFiles(std::string& list);

// The skip list of one check, read once: the names whose checksum is not compared, and the
// "d*name" entries of files that may be missing. Lookups are hashed; the entries are what lies
// between two ":" of the list, so that a lookup finds exactly what a search of ":name:" in the
// list text finds.
class SkipList {
 public:
  // `read`: whether the list came from a file (only then does it exempt checksums).
  SkipList(std::string text, bool read);
  SkipList(const SkipList&) = delete;
  SkipList& operator=(const SkipList&) = delete;

  bool Read() const { return read_; }
  // Whether ":name:" occurs in the list.
  bool Has(std::string_view name) const;
  // Whether the checksum of a file with this last component is not compared.
  bool ExemptsSum(std::string_view name) const { return read_ && Has(name); }
  // Whether a file with this last component may be missing ("d*name").
  bool AllowsMissing(std::string_view name) const;

 private:
  const std::string text_;
  const bool read_;
  std::unordered_set<std::string_view> entries_;  // views into text_
};

// The skip list of a check, read through ReadSkippedFiles.
SkipList ReadSkipList();

}  // namespace zol

#endif
