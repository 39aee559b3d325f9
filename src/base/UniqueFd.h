#ifndef ZOLINS_BASE_UNIQUE_FD_H
#define ZOLINS_BASE_UNIQUE_FD_H

#include <unistd.h>

#include <utility>

namespace zol {

// Owns a POSIX file descriptor and closes it.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { reset(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const { return fd_; }
  // Gives the descriptor up without closing it.
  int release() { return std::exchange(fd_, -1); }
  bool valid() const { return fd_ >= 0; }
  // Closes now; returns close(2)'s result (0 when nothing was open).
  int reset() {
    const int fd = std::exchange(fd_, -1);
    return fd >= 0 ? ::close(fd) : 0;
  }

 private:
  int fd_ = -1;
};

}  // namespace zol

#endif
