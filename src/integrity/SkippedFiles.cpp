#include "integrity/SkippedFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "ZOLFile.h"
#include "ZOLINSIntegrity.h"
#include "base/LineReader.h"
#include "integrity/ColonList.h"

namespace zol {
namespace {

constexpr const char* kSkippedFiles = "/CI3SkippedFiles";

// The directories of a ":"-separated list, empty ones left out, trailing ":" ignored.
std::vector<std::string> Directories(std::string_view list) {
  std::vector<std::string> directories;
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    if (colon != 0) directories.emplace_back(list.substr(0, colon));
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return directories;
}

// The first directory but the last that holds the file, else the last one, untested.
std::string ChooseSkippedFiles(const std::vector<std::string>& directories) {
  for (std::size_t i = 0; i + 1 < directories.size(); ++i) {
    const std::string path = directories[i] + kSkippedFiles;
    if (::access(path.c_str(), F_OK) == 0) return path;
  }
  return directories.back() + kSkippedFiles;
}

}  // namespace

bool ReadSkippedFiles(std::string& list) {
  list = ":";
  const char* reffiles = ZOLGetEnv("ZOLReffilesPath");
  if (!reffiles) return false;
  const std::vector<std::string> directories = Directories(reffiles);
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
