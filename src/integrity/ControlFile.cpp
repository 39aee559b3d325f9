#include <cerrno>
#include <unordered_set>

#include "base/Files.h"
#include "base/LineReader.h"
#include "base/UniqueFd.h"
#include "integrity/ControlText.h"

namespace zol {

ControlReadError ReadControlFile(const std::string& path, std::string& text) {
  text.clear();
  std::size_t capacity = 0;
  const UniqueFd fd = OpenForReading(path, capacity);
  // A directory, a FIFO or a device where the control file should be opens but cannot be read.
  if (!fd.valid())
    return IsNotRegularFile(errno) ? ControlReadError::kRead : ControlReadError::kOpen;
  // What was read before a failing read is kept, as one text; nothing at all is a read failure.
  ReadAll(fd, capacity, text);
  return text.empty() ? ControlReadError::kRead : ControlReadError::kNone;
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
