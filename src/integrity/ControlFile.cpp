#include <fcntl.h>
#include <sys/stat.h>

#include <unordered_set>

#include "base/Files.h"
#include "base/LineReader.h"
#include "base/UniqueFd.h"
#include "integrity/ControlText.h"

namespace zol {

ControlReadError ReadControlFile(const std::string& path, std::string& text) {
  text.clear();
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return ControlReadError::kOpen;
  struct stat info;
  if (::fstat(fd.get(), &info) != 0) return ControlReadError::kStat;
  // The size read up front is all that is taken, as one text.
  text.resize(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0);
  std::size_t used = 0;
  while (used < text.size()) {
    const ssize_t got = ReadSome(fd.get(), &text[used], text.size() - used);
    if (got <= 0) break;
    used += static_cast<std::size_t>(got);
  }
  text.resize(used);
  return used == 0 ? ControlReadError::kRead : ControlReadError::kNone;
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
