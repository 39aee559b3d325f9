#ifndef ZOLINS_BASE_ATOMIC_FILE_H
#define ZOLINS_BASE_ATOMIC_FILE_H

#include <string>
#include <string_view>

#include "base/UniqueFd.h"

namespace zol {

// Replaces a file as a whole: the new content goes to a temporary file in the target's directory,
// which is flushed to disk, given the target's permission bits and renamed over the target, and
// the directory is flushed too. Until Commit succeeds the target is untouched; a temporary file
// that was not committed is removed by the destructor.
class AtomicFile {
 public:
  enum class Step { None, CreateTemp, Write, Sync, Permissions, Rename };

  explicit AtomicFile(std::string target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file. False on failure (step CreateTemp).
  bool Open();
  // Appends bytes to the temporary file. False on failure (step Write).
  bool Write(std::string_view bytes);
  // Flushes, sets the permission bits, renames and flushes the directory.
  bool Commit();

  // The step that failed and its errno.
  Step FailedStep() const { return failed_; }
  int Error() const { return error_; }
  const std::string& Target() const { return target_; }

 private:
  bool Fail(Step step);

  std::string target_;
  std::string temp_;
  UniqueFd fd_;
  Step failed_ = Step::None;
  int error_ = 0;
};

// Writes `content` as the whole new content of `path`, atomically as above.
bool ReplaceFileContent(const std::string& path, std::string_view content,
                        AtomicFile::Step* failedStep = nullptr);

}  // namespace zol

#endif
