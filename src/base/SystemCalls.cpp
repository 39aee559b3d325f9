#include "base/SystemCalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

namespace zol {
namespace {

int Open(const char* path, int flags, mode_t mode) {
  return ::open(path, flags, mode);
}

const SystemCalls kReal = {Open,     ::write, ::fsync, ::fchmod,   ::fchown, ::rename,
                           ::unlink, ::close, ::lstat, ::readlink, ::flock};

SystemCalls current = kReal;

}  // namespace

SystemCalls& Sys() {
  return current;
}
const SystemCalls& RealSystemCalls() {
  return kReal;
}

}  // namespace zol
