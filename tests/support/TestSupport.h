#ifndef ZOLINS_TESTS_SUPPORT_H
#define ZOLINS_TESTS_SUPPORT_H

#include <functional>
#include <optional>
#include <string>

namespace zoltest {

// A fresh directory below $TMPDIR, removed with everything in it at the end of the scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + relative
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }
  // Writes a file below the directory (creating its parent directories); returns its path.
  std::string Write(const std::string& relative, const std::string& content) const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& content);
// The bytes of the file at `path`; empty when there is none, and a test failure when it is not a
// regular file (never opened then).
std::string ReadFile(const std::string& path);
void MakeDirs(const std::string& path);

// Runs `body` in a forked child and returns its exit status (the child exits with 0 unless the
// body returns non-zero or a gtest assertion in it failed). Process-wide state changed by the body
// stays in the child.
int RunInChild(const std::function<int()>& body);

// Sets (or, with a null value, unsets) an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Captures what a function writes to standard error.
std::string CaptureStderr(const std::function<void()>& body);

}  // namespace zoltest

#endif
