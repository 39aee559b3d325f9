#include "base/InstallLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "base/FileWriter.h"
#include "base/Message.h"
#include "base/SystemCalls.h"

namespace zol {

const char kLockFileName[] = ".zolins.lock";

namespace {

constexpr double kDefaultTimeout = 5.0;
constexpr std::chrono::milliseconds kLongestPause{5};

// The locks this process holds, by lock file: one descriptor each, with a nesting count. The
// process id tells a forked child that the entry is its parent's.
struct Holding {
  int fd = -1;
  int count = 0;
  pid_t owner = 0;
};
using Key = std::pair<unsigned long long, unsigned long long>;

std::mutex registryMutex;
std::map<Key, Holding>& Registry() {
  static std::map<Key, Holding>* registry = new std::map<Key, Holding>();  // lives to the end
  return *registry;
}

// A regular lock file, opened without following a link, for writing when possible: flock does
// not need write access, so a reader of a read-only installation can still wait its turn.
int OpenLockFile(const std::string& path, struct stat& info) {
  constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
  int fd = Sys().open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
    fd = Sys().open(path.c_str(), O_RDONLY | kFlags, 0);
  if (fd < 0) return -1;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    Sys().close(fd);
    return -1;
  }
  return fd;
}

// The process holding a flock on the file, as /proc/locks tells it; 0 when it does not.
long HolderOf(const struct stat& info) {
  std::FILE* locks = std::fopen("/proc/locks", "re");
  if (!locks) return 0;
  long holder = 0;
  char line[256];
  while (holder == 0 && std::fgets(line, sizeof line, locks)) {
    char kind[16] = "", access[16] = "";
    long pid = 0;
    unsigned major = 0, minor = 0;
    unsigned long long inode = 0;
    // "1: FLOCK  ADVISORY  WRITE 1234 08:02:131090 0 EOF"; waiters carry "->" and are skipped.
    if (std::sscanf(line, "%*d: %15s %*15s %15s %ld %x:%x:%llu", kind, access, &pid, &major, &minor,
                    &inode) == 6 &&
        std::strcmp(kind, "FLOCK") == 0 && inode == info.st_ino && major == ::major(info.st_dev) &&
        minor == ::minor(info.st_dev))
      holder = pid;
  }
  std::fclose(locks);
  return holder;
}

std::string BusyReason(const std::string& lockPath, const struct stat& info, double timeout) {
  const std::string waited = Format("%g", timeout);
  const long holder = HolderOf(info);
  if (holder > 0)
    return Message("ZOLINSLock.Busy",
                   "Installation lock %s is held by process %s; gave up after %s seconds", lockPath,
                   std::to_string(holder), waited)
        .str();
  return Message("ZOLINSLock.BusyUnknown",
                 "Installation lock %s is held by another process; gave up after %s seconds",
                 lockPath, waited)
      .str();
}

// Waits for the exclusive lock until `timeout` seconds have passed; errno tells a failure.
bool WaitForLock(int fd, double timeout) {
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                            std::chrono::duration<double>(timeout));
  std::chrono::milliseconds pause{1};
  for (;;) {
    if (Sys().flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, kLongestPause);
  }
}

}  // namespace

std::string LockFileFor(const std::string& path) {
  return DirectoryOf(path) + "/" + kLockFileName;
}

double LockTimeoutSeconds() {
  const char* text = std::getenv("ZOL_LOCK_TIMEOUT");
  if (!text || !*text) return kDefaultTimeout;
  char* end = nullptr;
  const double seconds = std::strtod(text, &end);
  if (*end != '\0' || !std::isfinite(seconds) || seconds < 0 || seconds > 1e6)
    return kDefaultTimeout;
  return seconds;
}

InstallLock::InstallLock(const std::string& path, double timeoutSeconds)
    : lockPath_(LockFileFor(path)) {
  const double timeout = timeoutSeconds < 0 ? LockTimeoutSeconds() : timeoutSeconds;
  struct stat info;
  const int fd = OpenLockFile(lockPath_, info);
  if (fd < 0) return;  // Unlockable
  device_ = info.st_dev;
  inode_ = info.st_ino;
  std::lock_guard<std::mutex> guard(registryMutex);
  Holding& holding = Registry()[{device_, inode_}];
  if (holding.count > 0 && holding.owner == ::getpid()) {
    Sys().close(fd);
    ++holding.count;
  } else if (WaitForLock(fd, timeout)) {
    if (holding.count > 0) Sys().close(holding.fd);  // a parent's lock, inherited by fork
    holding = Holding{fd, 1, ::getpid()};
  } else {
    const int error = errno;
    if (holding.count == 0) Registry().erase({device_, inode_});
    state_ = State::Busy;
    reason_ = error == EWOULDBLOCK || error == EINTR ? BusyReason(lockPath_, info, timeout)
                                                     : lockPath_ + ": " + std::strerror(error);
    Sys().close(fd);
    return;
  }
  registered_ = true;
  state_ = State::Held;
}

InstallLock::~InstallLock() {
  Release();
}

void InstallLock::Release() {
  if (!registered_) return;
  registered_ = false;
  std::lock_guard<std::mutex> guard(registryMutex);
  auto found = Registry().find({device_, inode_});
  if (found == Registry().end() || --found->second.count > 0) return;
  Sys().close(found->second.fd);  // the lock goes with the last descriptor of its file
  Registry().erase(found);
}

}  // namespace zol
