#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace zol {
namespace {

// Writes through a symbolic link to the file it names, so that the link itself stays.
std::string ResolveTarget(const std::string& target) {
  struct stat info;
  if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
  char resolved[PATH_MAX];
  return ::realpath(target.c_str(), resolved) ? std::string(resolved) : target;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(ResolveTarget(target)) {}

AtomicFile::~AtomicFile() {
  if (!temp_.empty()) {
    fd_.reset();
    ::unlink(temp_.c_str());
  }
}

bool AtomicFile::Fail(Step step) {
  failed_ = step;
  error_ = errno;
  return false;
}

bool AtomicFile::Open() {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", static_cast<unsigned>(random()));
    const std::string candidate = target_ + suffix;
    // 0666 lets the umask decide, as for a file created by fopen, when there is no old file.
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fd_ = UniqueFd(fd);
      temp_ = candidate;
      return true;
    }
    if (errno != EEXIST) break;
  }
  return Fail(Step::CreateTemp);
}

bool AtomicFile::Write(std::string_view bytes) {
  if (!fd_.valid()) return Fail(Step::Write);
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_.get(), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return Fail(Step::Write);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool AtomicFile::Commit() {
  if (!fd_.valid()) return Fail(Step::Write);
  if (::fsync(fd_.get()) != 0) return Fail(Step::Sync);
  struct stat old;
  if (::stat(target_.c_str(), &old) == 0) {
    if (::fchmod(fd_.get(), old.st_mode & 07777) != 0) return Fail(Step::Permissions);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      [[maybe_unused]] int ignored = ::fchown(fd_.get(), old.st_uid, old.st_gid);  // best effort
    }
  }
  if (fd_.reset() != 0) return Fail(Step::Write);
  if (::rename(temp_.c_str(), target_.c_str()) != 0) return Fail(Step::Rename);
  temp_.clear();
  // The new content is in place from here on; flushing the directory only makes the rename
  // durable, so its failure does not undo the replacement.
  UniqueFd dir(::open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
  return true;
}

bool ReplaceFileContent(const std::string& path, std::string_view content,
                        AtomicFile::Step* failedStep) {
  AtomicFile file(path);
  const bool ok = file.Open() && file.Write(content) && file.Commit();
  if (failedStep) *failedStep = file.FailedStep();
  return ok;
}

}  // namespace zol
