#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "ZOLFile.h"
#include "ZOLINSIntegrity.h"
#include "base/LineReader.h"

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

int GetCI3SkippedFilesStr(ZOLUnicodeString& skipList) {
  skipList = ":";
  const char* reffiles = ZOLGetEnv("ZOLReffilesPath");
  if (!reffiles) return 0;
  const std::vector<std::string> directories = Directories(reffiles);
  if (directories.empty()) return 0;
  const std::string path = ChooseSkippedFiles(directories);
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || info.st_size == 0) return 0;
  zol::LineReader lines(path);
  if (!lines.IsOpen()) return 0;
  std::string& list = skipList.str();
  std::string_view line;
  bool hadNewline = false;
  while (lines.Next(line, hadNewline)) list.append(line).append(1, ':');
  return 1;
}
