#ifndef ZOLINS_TESTS_PROCESS_H
#define ZOLINS_TESTS_PROCESS_H

#include <string>
#include <vector>

namespace zoltest {

struct ProcessResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

// Runs a program with arguments (no shell), standard input from /dev/null, and collects what it
// writes on standard output and standard error.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments);

// A child process that takes the installation lock of the control directory holding `path` and
// keeps it until it is killed. Returns its pid once it holds the lock, or -1.
int StartLockHolder(const std::string& path);

}  // namespace zoltest

#endif
