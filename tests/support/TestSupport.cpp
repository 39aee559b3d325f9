#include "support/TestSupport.h"

#include <ftw.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

namespace zoltest {

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/zoltest.XXXXXX";
  if (!::mkdtemp(&pattern[0])) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  ::nftw(
      path_.c_str(),
      [](const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }, 16,
      FTW_DEPTH | FTW_PHYS);
}

std::string TempDir::Write(const std::string& relative, const std::string& content) const {
  const std::string full = *this / relative;
  MakeDirs(full.substr(0, full.rfind('/')));
  WriteFile(full, content);
  return full;
}

void MakeDirs(const std::string& path) {
  for (std::size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos == path.size() || path[pos] == '/') ::mkdir(path.substr(0, pos).c_str(), 0755);
  }
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  // A FIFO would block the read, and a device need not end: only files are read.
  std::error_code ignored;
  const auto type = std::filesystem::status(path, ignored).type();
  if (type != std::filesystem::file_type::regular &&
      type != std::filesystem::file_type::not_found) {
    ADD_FAILURE() << path << " is not a regular file";
    return "";
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int RunInChild(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    int rc = body();
    if (::testing::Test::HasFailure()) rc = rc ? rc : 1;
    std::fflush(nullptr);
    ::_exit(rc);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

namespace {

void SetOrUnset(const char* name, const char* value) {
  value ? ::setenv(name, value, 1) : ::unsetenv(name);
}

}  // namespace

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  SetOrUnset(name, value);
}

ScopedEnv::~ScopedEnv() {
  SetOrUnset(name_.c_str(), old_ ? old_->c_str() : nullptr);
}

std::string CaptureStderr(const std::function<void()>& body) {
  ::testing::internal::CaptureStderr();
  body();
  return ::testing::internal::GetCapturedStderr();
}

}  // namespace zoltest
