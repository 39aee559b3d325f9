#include "support/Process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "ZOLINSInstallLock.h"
#include "support/TestSupport.h"

namespace zoltest {

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
  TempDir dir;
  const std::string out = dir / "out";
  const std::string err = dir / "err";
  ProcessResult result;
  result.status = RunInChild([&] {
    ::dup2(::open("/dev/null", O_RDONLY), 0);
    ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    return 127;
  });
  result.out = ReadFile(out);
  result.err = ReadFile(err);
  return result;
}

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
