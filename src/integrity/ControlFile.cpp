#include "integrity/ControlFile.h"

#include <sys/stat.h>

#include <unordered_set>

#include "base/Files.h"
#include "base/LineReader.h"
#include "integrity/ControlText.h"
#include "integrity/FileSum.h"

namespace zol {
namespace {

ControlRead Failed(ControlRead::Failure failure, const std::string& path) {
  ControlRead read;
  read.failure = failure;
  read.failedPath = path;
  return read;
}

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

ControlRead ReadControlFile(const std::string& path) {
  const OpenedFile file = OpenRegularFile(path);
  if (file.failure == OpenedFile::Failure::kOpen) return Failed(ControlRead::Failure::kOpen, path);
  // Nothing can be read from a directory or a FIFO: as from an empty file.
  if (file.failure != OpenedFile::Failure::kNone) return Failed(ControlRead::Failure::kRead, path);
  // The size read up front is all that is taken, as one text.
  std::string text(static_cast<std::size_t>(file.size), '\0');
  std::size_t used = 0;
  while (used < text.size()) {
    const ssize_t got = ReadSome(file.fd.get(), &text[used], text.size() - used);
    if (got <= 0) break;
    used += static_cast<std::size_t>(got);
  }
  text.resize(used);
  if (used == 0) return Failed(ControlRead::Failure::kRead, path);
  ControlRead read;
  read.text = std::move(text);
  return read;
}

ControlRead ReadMergedControl(const std::string& spkPath, const std::string& basePath,
                              bool baseInstalled) {
  if (!Exists(spkPath)) return Failed(ControlRead::Failure::kStat, spkPath);
  if (baseInstalled && !Exists(basePath)) return Failed(ControlRead::Failure::kStat, basePath);
  ControlRead read = ReadControlFile(spkPath);
  if (read.text && baseInstalled && !AppendLinesNotListed(*read.text, basePath))
    return Failed(ControlRead::Failure::kOpen, basePath);
  return read;
}

bool ReportControlFailure(const FindingSink& sink, ZOLINSType kind, const ControlRead& read) {
  const char* path = read.failedPath.c_str();
  switch (read.failure) {
    case ControlRead::Failure::kNone:
      return false;
    case ControlRead::Failure::kOpen:
      sink.Error(kReadOpenFailed, kind, path);
      break;
    case ControlRead::Failure::kStat:
      sink.Error(kStatFailed, kind, path);
      break;
    case ControlRead::Failure::kRead:
      sink.Error(kReadFailed, kind, path);
      break;
  }
  return true;
}

bool AppendLinesNotListed(std::string& text, const std::string& basePath) {
  LineReader base(basePath);
  if (!base.IsOpen()) return false;
  // Every line of the service pack counts, empty ones included (their path is empty); a trailing
  // "\n" does not start one more.
  std::unordered_set<std::string_view> listed;
  ForEachLine(text, [&](std::string_view line) { listed.insert(LinePath(line)); });
  // The views point into `text`, which grows below: the base lines go to a text of their own.
  std::string added;
  std::string_view line;
  bool hadNewline = false;
  while (base.Next(line, hadNewline)) {
    if (listed.count(LinePath(line))) continue;
    added.append(line).append(1, '\n');
  }
  if (added.empty()) return true;
  // A service pack without a final line feed must not fuse its last line with the first base one.
  if (!text.empty() && text.back() != '\n') text += '\n';
  text += added;
  return true;
}

}  // namespace zol
