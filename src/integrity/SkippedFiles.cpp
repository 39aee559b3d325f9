#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "ZOLFile.h"
#include "ZOLINSIntegrity.h"
#include "base/LineReader.h"
#include "base/PathList.h"

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

int GetCI3SkippedFilesStr(ZOLUnicodeString& skipList) {
  skipList = ":";
  const char* reffiles = ZOLGetEnv("ZOLReffilesPath");
  if (!reffiles) return 0;
  // Empty directories are left out, trailing ":" included.
  const std::vector<std::string_view> directories =
      zol::SplitPathList(reffiles, zol::EmptyEntry::kSkip);
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
