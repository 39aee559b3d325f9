#include "integrity/SkippedFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "ZOLFile.h"
#include "ZOLINSIntegrity.h"
#include "base/LineReader.h"
#include "base/PathList.h"
#include "integrity/ColonList.h"

namespace zol {
namespace {

constexpr const char* kSkippedFiles = "/CI3SkippedFiles";

// The first directory but the last that holds the file, else the last one, untested.
std::string ChooseSkippedFiles(const std::vector<std::string_view>& directories) {
  for (std::size_t i = 0; i + 1 < directories.size(); ++i) {
    const std::string path = std::string(directories[i]) + kSkippedFiles;
    if (::access(path.c_str(), F_OK) == 0) return path;
  }
  return std::string(directories.back()) + kSkippedFiles;
}

}  // namespace

bool ReadSkippedFiles(std::string& list) {
  list = ":";
  const char* reffiles = ZOLGetEnv("ZOLReffilesPath");
  if (!reffiles) return false;
  // Empty directories are left out, trailing ":" included.
  const std::vector<std::string_view> directories = SplitPathList(reffiles, EmptyEntry::kSkip);
  if (directories.empty()) return false;
  const std::string path = ChooseSkippedFiles(directories);
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || info.st_size == 0) return false;
  LineReader lines(path);
  if (!lines.IsOpen()) return false;
  std::string_view line;
  bool hadNewline = false;
  while (lines.Next(line, hadNewline)) list.append(line).append(1, ':');
  return true;
}

SkipList ReadSkipList() {
  std::string text;
  const bool read = ReadSkippedFiles(text);
  return SkipList(std::move(text), read);
}

SkipList::SkipList(std::string text, bool read) : text_(std::move(text)), read_(read) {
  const std::string_view all(text_);
  for (std::size_t colon = all.find(':'); colon != std::string_view::npos;) {
    const std::size_t next = all.find(':', colon + 1);
    if (next == std::string_view::npos) break;
    entries_.insert(all.substr(colon + 1, next - colon - 1));
    colon = next;
  }
}

bool SkipList::Has(std::string_view name) const {
  // A name holding ":" spans several entries: only the text itself can answer.
  if (name.find(':') != std::string_view::npos) return ColonListHas(text_, name);
  return entries_.count(name) != 0;
}

bool SkipList::AllowsMissing(std::string_view name) const {
  std::string entry("d*");
  entry.append(name);
  return Has(entry);
}

}  // namespace zol

int GetCI3SkippedFilesStr(ZOLUnicodeString& skipList) {
  return zol::ReadSkippedFiles(skipList.str()) ? 1 : 0;
}
