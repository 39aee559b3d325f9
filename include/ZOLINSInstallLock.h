#ifndef ZOLINS_INSTALL_LOCK_H
#define ZOLINS_INSTALL_LOCK_H

#include "ZOLINSExport.h"

// An addition beside the library's classic interface: the lock that writers of one installation
// take turns under. The library takes it itself around every change it makes to PRESENT
// (UpdatePresentFromToc) and around ZOLAddCheckSum rewriting a list in place. A caller that loads
// PRESENT, changes the table and writes it back itself (InitInst ... UpdatePresent) holds one of
// these across the whole sequence, so that no record added by another process in between is lost.
//
// The lock is an advisory lock (flock) on the file ".zolins.lock" in the control directory; it ends
// with the object, or with the process however it ends. Inside one process it nests: the library's
// own locking under a held lock does not wait. Waiting is bounded by ZOL_LOCK_TIMEOUT (seconds,
// default 5). Not for use by several threads at once.
class ZOLINS_EXPORT ZOLINSInstallLock {
 public:
  // Locks the installation whose control directory holds `presentPath` (control/PRESENT, or any
  // file beside it), waiting at most `timeoutSeconds` (negative: ZOL_LOCK_TIMEOUT or 5).
  explicit ZOLINSInstallLock(const char* presentPath, double timeoutSeconds = -1);
  ~ZOLINSInstallLock();
  ZOLINSInstallLock(const ZOLINSInstallLock&) = delete;
  ZOLINSInstallLock& operator=(const ZOLINSInstallLock&) = delete;

  // 1: held. 0: the lock file cannot be opened or created here (no right to, or no such
  // directory): not held, and any change this caller may still make goes unlocked.
  // -1: another process held it past the timeout; GetReason() names the lock file and, when the
  // system tells it, the process holding it.
  int GetState() const;
  const char* GetReason() const;
  const char* GetLockPath() const;
  // Lets the lock go before the object ends.
  void Release();

 private:
  struct Impl;
  Impl* impl_;
};

#endif
