#ifndef ZOLINS_BASE_FILE_WRITER_H
#define ZOLINS_BASE_FILE_WRITER_H

#include <sys/stat.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace zol {

// How the library rewrites a file (PRESENT, a control file) without destroying what is not its to
// destroy. Symbolic links are followed to the file they name; a link whose file does not exist has
// that file created, the link stays.
//
// - Replaced atomically: a file that does not exist yet, or a regular file with a single link
//   whose owner, group and mode the new file can keep, in a directory the process may write. The
//   content goes to a temporary file beside it, is flushed, gets the old owner, group and mode,
//   and is renamed over the file; the directory is flushed last. A failure at any step removes the
//   temporary file and leaves the old file as it was.
// - Written in place, as opening it with fopen "w" would (truncate, write): every other target,
//   such as a device, a FIFO (opened without blocking: no reader is a failure, not a hang), a file
//   with several links, a file whose ownership could not be kept, a file in a directory the
//   process may not write. A failure there leaves what was written so far.
// - A target that cannot be examined (lstat fails other than "does not exist") fails before
//   anything is touched.
//
// Every result says which step failed, with its errno, so that each caller maps it onto its own
// result codes and messages.
enum class WriteStep {
  None,     // success
  Examine,  // the target could not be examined: nothing touched
  Open,     // the temporary file could not be created, or the target opened for writing
  Write,    // writing the content failed (see WriteResult::written)
  Keep,     // the temporary file could not take the old mode
  Sync,     // flushing or closing the written file failed
  Rename,   // the temporary file could not replace the target
};

enum class WriteMethod { Replace, InPlace };

struct WriteResult {
  WriteStep failed = WriteStep::None;
  int error = 0;
  std::size_t written = 0;  // bytes of the content written before a Write failure
  bool ok() const { return failed == WriteStep::None; }
};

// A target examined: the file that will be written and how.
struct WriteTarget {
  std::string path;  // the given path with its symbolic links followed
  bool exists = false;
  struct stat info {};  // of `path`, when it exists
  WriteMethod method = WriteMethod::InPlace;
};

struct WriteOptions {
  // A read-only file may still be replaced (with its mode kept): for a file its owner rewrites
  // on purpose, as a file list turned into a control file.
  bool replaceReadOnly = false;
  // In place, add to the end instead of truncating (a replacement always writes the whole file).
  bool appendInPlace = false;
};

// Decides how `path` is written. False (step Examine) when it cannot be examined.
bool ExamineTarget(const std::string& path, WriteTarget& target, WriteResult& result,
                   const WriteOptions& options = {});

// Writes `content` to an examined target by its method.
WriteResult WriteToTarget(const WriteTarget& target, std::string_view content,
                          const WriteOptions& options = {});

// Examines `path` and writes `content` as its whole new content.
WriteResult WriteWholeFile(const std::string& path, std::string_view content,
                           const WriteOptions& options = {});

// The directory part of a path ("." when it has none).
std::string DirectoryOf(const std::string& path);

}  // namespace zol

#endif
