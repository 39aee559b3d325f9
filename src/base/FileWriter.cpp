#include "base/FileWriter.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <utility>
#include <vector>

#include "base/SystemCalls.h"

namespace zol {
namespace {

constexpr int kMaxLinks = 40;          // symbolic links followed before giving up, as the kernel
constexpr int kWritableWaitMs = 5000;  // a FIFO or device that stays full this long fails
constexpr std::size_t kMaxTempBase = 200;  // keeps the temporary name within NAME_MAX

bool Fail(WriteResult& result, WriteStep step, int error = errno) {
  result.failed = step;
  result.error = error;
  return false;
}

// A descriptor closed through the system-call table, so that every close can be made to fail.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Close() { return fd_ >= 0 ? Sys().close(std::exchange(fd_, -1)) : 0; }

 private:
  int fd_;
};

std::string ReadLink(const std::string& path) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t size = Sys().readlink(path.c_str(), buffer.data(), buffer.size());
    if (size < 0) return std::string();
    if (static_cast<std::size_t>(size) < buffer.size()) return std::string(buffer.data(), size);
    buffer.resize(buffer.size() * 2);
  }
}

// Follows the symbolic links of `target.path` to the file they end at, which may not exist.
bool Resolve(WriteTarget& target, WriteResult& result) {
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    if (Sys().lstat(target.path.c_str(), &target.info) != 0) {
      if (errno != ENOENT) return Fail(result, WriteStep::Examine);
      target.exists = false;
      return true;
    }
    if (!S_ISLNK(target.info.st_mode)) {
      target.exists = true;
      return true;
    }
    const std::string link = ReadLink(target.path);
    if (link.empty()) return Fail(result, WriteStep::Examine);
    target.path = link[0] == '/' ? link : DirectoryOf(target.path) + "/" + link;
  }
  return Fail(result, WriteStep::Examine, ELOOP);
}

bool MayAccess(const std::string& path, int mode) {
  return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

// Whether a file created by this process can be given the owner and group of `info`.
bool CanKeepOwnership(const struct stat& info) {
  const uid_t user = ::geteuid();
  if (user == 0) return true;
  if (info.st_uid != user) return false;
  if (info.st_gid == ::getegid()) return true;
  const int count = ::getgroups(0, nullptr);
  std::vector<gid_t> groups(count > 0 ? static_cast<std::size_t>(count) : 0);
  const int got = count > 0 ? ::getgroups(count, groups.data()) : 0;
  for (int i = 0; i < got; ++i)
    if (groups[static_cast<std::size_t>(i)] == info.st_gid) return true;
  return false;
}

bool WaitWritable(int fd) {
  pollfd wanted = {fd, POLLOUT, 0};
  int ready;
  do {
    ready = ::poll(&wanted, 1, kWritableWaitMs);
  } while (ready < 0 && errno == EINTR);
  if (ready == 0) errno = EAGAIN;
  return ready > 0;
}

bool WriteAll(int fd, std::string_view content, WriteResult& result) {
  while (result.written < content.size()) {
    const ssize_t size =
        Sys().write(fd, content.data() + result.written, content.size() - result.written);
    if (size > 0) {
      result.written += static_cast<std::size_t>(size);
    } else if (size == 0) {
      return Fail(result, WriteStep::Write, ENOSPC);
    } else if (errno == EAGAIN ? !WaitWritable(fd) : errno != EINTR) {
      return Fail(result, WriteStep::Write);
    }
  }
  return true;
}

std::string TemporaryName(const std::string& path) {
  static std::mt19937 random{std::random_device{}()};
  const std::size_t slash = path.rfind('/');
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
  return DirectoryOf(path) + "/." + base.substr(0, kMaxTempBase) + suffix;
}

void SyncDirectory(const std::string& path) {
  // The new file is in place already: this only makes the rename durable, so a failure here does
  // not undo the replacement.
  Descriptor dir(Sys().open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
  if (dir.valid()) Sys().fsync(dir.get());
}

// Writes the temporary file, gives it the old file's owner, group and mode, flushes it.
// EPERM from fchown in `ownershipLost` tells the caller to write in place instead.
bool FillTemporary(Descriptor& fd, const WriteTarget& target, std::string_view content,
                   WriteResult& result, bool& ownershipLost) {
  if (!WriteAll(fd.get(), content, result)) return false;
  if (target.exists) {
    if (Sys().fchown(fd.get(), target.info.st_uid, target.info.st_gid) != 0) {
      ownershipLost = errno == EPERM;
      return Fail(result, WriteStep::Keep);
    }
    // After fchown, which clears the set-user-ID and set-group-ID bits.
    if (Sys().fchmod(fd.get(), target.info.st_mode & 07777) != 0)
      return Fail(result, WriteStep::Keep);
  }
  if (Sys().fsync(fd.get()) != 0) return Fail(result, WriteStep::Sync);
  return fd.Close() == 0 || Fail(result, WriteStep::Sync);
}

WriteResult WriteInPlace(const WriteTarget& target, std::string_view content,
                         const WriteOptions& options);

WriteResult Replace(const WriteTarget& target, std::string_view content,
                    const WriteOptions& options) {
  WriteResult result;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TemporaryName(target.path);
    // Without an old file the umask decides, as for a file that fopen creates.
    fd = Sys().open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    target.exists ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return Fail(result, WriteStep::Open), result;
  Descriptor file(fd);
  bool ownershipLost = false;
  if (FillTemporary(file, target, content, result, ownershipLost) &&
      (Sys().rename(temp.c_str(), target.path.c_str()) == 0 || Fail(result, WriteStep::Rename))) {
    SyncDirectory(target.path);
    return result;
  }
  file.Close();
  Sys().unlink(temp.c_str());
  if (!ownershipLost) return result;
  WriteOptions whole = options;  // `content` is the whole file
  whole.appendInPlace = false;
  return WriteInPlace(target, content, whole);
}

WriteResult WriteInPlace(const WriteTarget& target, std::string_view content,
                         const WriteOptions& options) {
  WriteResult result;
  // Without blocking: a FIFO nobody reads fails at once instead of hanging the caller.
  const int flags =
      O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | (options.appendInPlace ? O_APPEND : O_TRUNC);
  Descriptor fd(Sys().open(target.path.c_str(), flags, 0));
  if (!fd.valid()) return Fail(result, WriteStep::Open), result;
  if (!WriteAll(fd.get(), content, result)) return result;
  // Devices and FIFOs have nothing to flush (fsync may even refuse them).
  if (S_ISREG(target.info.st_mode) && Sys().fsync(fd.get()) != 0)
    return Fail(result, WriteStep::Sync), result;
  if (fd.Close() != 0) Fail(result, WriteStep::Sync);
  return result;
}

}  // namespace

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool ExamineTarget(const std::string& path, WriteTarget& target, WriteResult& result,
                   const WriteOptions& options) {
  target = WriteTarget();
  target.path = path;
  if (path.empty()) return Fail(result, WriteStep::Examine, ENOENT);
  if (!Resolve(target, result)) return false;
  const struct stat& info = target.info;
  const bool replaceable =
      !target.exists || (S_ISREG(info.st_mode) && info.st_nlink == 1 && CanKeepOwnership(info) &&
                         MayAccess(DirectoryOf(target.path), W_OK | X_OK) &&
                         (options.replaceReadOnly || MayAccess(target.path, W_OK)));
  target.method = replaceable ? WriteMethod::Replace : WriteMethod::InPlace;
  return true;
}

WriteResult WriteToTarget(const WriteTarget& target, std::string_view content,
                          const WriteOptions& options) {
  return target.method == WriteMethod::Replace ? Replace(target, content, options)
                                               : WriteInPlace(target, content, options);
}

WriteResult WriteWholeFile(const std::string& path, std::string_view content,
                           const WriteOptions& options) {
  WriteTarget target;
  WriteResult result;
  if (!ExamineTarget(path, target, result, options)) return result;
  WriteOptions whole = options;
  whole.appendInPlace = false;
  return WriteToTarget(target, content, whole);
}

}  // namespace zol
