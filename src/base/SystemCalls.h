#ifndef ZOLINS_BASE_SYSTEM_CALLS_H
#define ZOLINS_BASE_SYSTEM_CALLS_H

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace zol {

// The system calls through which the library changes files: the file writer and the installation
// lock make every such call through this table. It exists so that tests can make any one of them
// fail and check what a failure at that point leaves behind; it is internal to the library and
// never exported. Each entry behaves as the system call of the same name.
struct SystemCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*fsync)(int fd);
  int (*fchmod)(int fd, mode_t mode);
  int (*fchown)(int fd, uid_t owner, gid_t group);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
  int (*close)(int fd);
  int (*lstat)(const char* path, struct stat* info);
  ssize_t (*readlink)(const char* path, char* buffer, std::size_t size);
  int (*flock)(int fd, int operation);
};

// The table in use; starts with the real calls.
SystemCalls& Sys();
// The real calls, for a test to restore or to wrap.
const SystemCalls& RealSystemCalls();

}  // namespace zol

#endif
