#include "support/Process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "ZOLINSInstallLock.h"

namespace zoltest {

int StartLockHolder(const std::string& path) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(ready[0]);
    const ZOLINSInstallLock lock(path.c_str(), 0);
    const char held = lock.GetState() == 1 ? 'y' : 'n';
    if (::write(ready[1], &held, 1) != 1) ::_exit(1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char held = 'n';
  const bool told = ::read(ready[0], &held, 1) == 1;
  ::close(ready[0]);
  if (told && held == 'y') return pid;
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return -1;
}

}  // namespace zoltest
