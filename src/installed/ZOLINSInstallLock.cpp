#include "ZOLINSInstallLock.h"

#include <new>

#include "base/InstallLock.h"

struct ZOLINSInstallLock::Impl {
  explicit Impl(const char* path, double timeout) : lock(path, timeout) {}
  zol::InstallLock lock;
};

ZOLINSInstallLock::ZOLINSInstallLock(const char* presentPath, double timeoutSeconds)
    : impl_(nullptr) {
  if (!presentPath || !*presentPath) return;
  try {
    impl_ = new Impl(presentPath, timeoutSeconds);
  } catch (const std::bad_alloc&) {
    impl_ = nullptr;  // not held: reported as a lock file that cannot be opened
  }
}

ZOLINSInstallLock::~ZOLINSInstallLock() {
  delete impl_;
}

int ZOLINSInstallLock::GetState() const {
  if (!impl_) return 0;
  switch (impl_->lock.GetState()) {
    case zol::InstallLock::State::Held:
      return 1;
    case zol::InstallLock::State::Busy:
      return -1;
    default:
      return 0;
  }
}

const char* ZOLINSInstallLock::GetReason() const {
  return impl_ ? impl_->lock.Reason().c_str() : "";
}

const char* ZOLINSInstallLock::GetLockPath() const {
  return impl_ ? impl_->lock.LockPath().c_str() : "";
}

void ZOLINSInstallLock::Release() {
  if (impl_) impl_->lock.Release();
}
