#ifndef ZOLINS_BASE_INSTALL_LOCK_H
#define ZOLINS_BASE_INSTALL_LOCK_H

#include <string>

namespace zol {

// The lock file of an installation, in its control directory (beside PRESENT and the control
// files): writers of that installation take turns by holding an exclusive advisory lock (flock)
// on it. The lock dies with the process that holds it, so a killed writer never blocks the next.
// Readers take no lock: every rewrite replaces files by renaming, so a reader sees the old or the
// new file whole.
extern const char kLockFileName[];

// The lock file of the control directory that holds `path` (PRESENT or a control file).
std::string LockFileFor(const std::string& path);

// How long a writer waits for the lock: ZOL_LOCK_TIMEOUT (seconds, a decimal number >= 0) or 5.
double LockTimeoutSeconds();

// Holds the lock of one control directory for its lifetime. A process that already holds that lock
// (the same lock file) holds it once more: nested writers of one process do not wait for
// themselves. Not meant for several threads at once.
class InstallLock {
 public:
  enum class State {
    Held,        // this object holds the lock
    Unlockable,  // the lock file cannot be opened or created here: the write goes on unlocked
    Busy,        // another process held it longer than the timeout, or locking failed
  };

  // Takes the lock of the control directory holding `path`, waiting at most `timeoutSeconds`
  // (negative: LockTimeoutSeconds()).
  explicit InstallLock(const std::string& path, double timeoutSeconds = -1);
  ~InstallLock();
  InstallLock(const InstallLock&) = delete;
  InstallLock& operator=(const InstallLock&) = delete;

  State GetState() const { return state_; }
  // Busy: the reason, naming the lock file and, when the system tells it, the holding process.
  const std::string& Reason() const { return reason_; }
  const std::string& LockPath() const { return lockPath_; }
  // Lets the lock go before the object ends.
  void Release();

 private:
  std::string lockPath_;
  std::string reason_;
  State state_ = State::Unlockable;
  bool registered_ = false;
  unsigned long long device_ = 0, inode_ = 0;
};

}  // namespace zol

#endif
