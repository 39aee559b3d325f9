#include "FuzzSupport.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ZOLINSIntegrity.h"
#include "ZOLINSToc.h"
#include "installed/QueryState.h"

namespace zolfuzz {
namespace {

void RemoveScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchDir(), ignored);
}

std::string MakeScratch() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zolins-fuzz-XXXXXX";
  if (!::mkdtemp(&pattern[0])) {
    std::perror("mkdtemp");
    std::abort();
  }
  return pattern;
}

}  // namespace

const std::string& ScratchDir() {
  // Never destroyed: the exit handler below still needs it.
  static const std::string* dir = [] {
    auto* made = new std::string(MakeScratch());
    std::atexit(RemoveScratch);
    return made;
  }();
  return *dir;
}

void WriteFile(const std::string& path, std::string_view content) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) {
    std::perror(path.c_str());
    std::abort();
  }
}

void ResetLibraryState() {
  ::unsetenv("ZOL_MSGCAT_PATH");
  ::unsetenv("ZOL_TRACE");
  ::unsetenv("ZOLInstallPath");
  ::unsetenv("ZOLReffilesPath");
  ZOLINSToc::sClearInfoMsg();
  zol::Queries() = zol::QueryState();
  _i_SignalIntercept_KillProcess = 0;
  _i_SignalIntercept_SignalNum = 0;
}

}  // namespace zolfuzz
