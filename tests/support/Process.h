#ifndef ZOLINS_TESTS_PROCESS_H
#define ZOLINS_TESTS_PROCESS_H

#include <string>

namespace zoltest {

// A child process that takes the installation lock of the control directory holding `path` and
// keeps it until it is killed. Returns its pid once it holds the lock, or -1.
int StartLockHolder(const std::string& path);

}  // namespace zoltest

#endif
