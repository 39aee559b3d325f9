#include "ZOLFile.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "base/Files.h"

namespace {

// Handles are 1-based positions in this table; a closed slot is reused.
class HandleTable {
 public:
  unsigned int Add(std::FILE* file) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < files_.size(); ++i) {
      if (!files_[i]) {
        files_[i] = file;
        return static_cast<unsigned int>(i + 1);
      }
    }
    files_.push_back(file);
    return static_cast<unsigned int>(files_.size());
  }

  std::FILE* Get(unsigned int fd) {
    std::lock_guard<std::mutex> lock(mutex_);
    return fd >= 1 && fd <= files_.size() ? files_[fd - 1] : nullptr;
  }

  std::FILE* Remove(unsigned int fd) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (fd < 1 || fd > files_.size()) return nullptr;
    std::FILE* file = files_[fd - 1];
    files_[fd - 1] = nullptr;
    return file;
  }

 private:
  std::mutex mutex_;
  std::vector<std::FILE*> files_;
};

HandleTable& Handles() {
  static HandleTable* table = new HandleTable;  // outlives every static destructor
  return *table;
}

// A file opened only to be read goes through OpenForReading, as every file the library reads:
// a FIFO, a device or a directory does not open.
std::FILE* Open(const char* path, const char* mode) {
  if (mode[0] != 'r' || std::strchr(mode, '+')) return std::fopen(path, mode);
  zol::UniqueFd fd = zol::OpenForReading(path);
  if (!fd.valid()) return nullptr;
  std::FILE* file = ::fdopen(fd.get(), mode);
  if (file) fd.release();
  return file;
}

}  // namespace

int ZOLFOpen(const char* path, const char* mode, unsigned int* fd) {
  if (fd) *fd = 0;
  if (!path || !mode || !fd) return -1;
  std::FILE* file = Open(path, mode);
  if (!file) return -1;
  *fd = Handles().Add(file);
  return 0;
}

int ZOLFGets(char* buffer, int size, unsigned int fd) {
  std::FILE* file = Handles().Get(fd);
  if (!file || !buffer || size < 1) return -1;
  if (std::fgets(buffer, size, file)) return 0;
  buffer[0] = '\0';
  return std::ferror(file) ? -1 : 1;
}

int ZOLFEof(unsigned int fd) {
  std::FILE* file = Handles().Get(fd);
  if (!file) return 0;
  const int c = std::getc(file);
  if (c == EOF) return 0;
  std::ungetc(c, file);
  return 1;
}

int ZOLFGetc(unsigned int fd) {
  std::FILE* file = Handles().Get(fd);
  if (!file) return -1;
  const int c = std::getc(file);
  return c == EOF ? -1 : c;
}

int ZOLFPuts(const char* text, unsigned int fd) {
  std::FILE* file = Handles().Get(fd);
  if (!file || !text) return -1;
  return std::fputs(text, file) < 0 ? -1 : 0;
}

int ZOLFWrite(const void* buffer, long length, unsigned int fd) {
  std::FILE* file = Handles().Get(fd);
  if (!file || (!buffer && length > 0) || length < 0) return -1;
  if (length == 0) return 0;
  const std::size_t size = static_cast<std::size_t>(length);
  return std::fwrite(buffer, 1, size, file) == size ? 0 : -1;
}

int ZOLFClose(unsigned int fd) {
  std::FILE* file = Handles().Remove(fd);
  if (!file) return -1;
  return std::fclose(file) == 0 ? 0 : -1;
}

int ZOLFileAccess(const char* path, int mode) {
  if (!path) return -1;
  return ::access(path, mode) == 0 ? 0 : -1;
}

const char* ZOLGetEnv(const char* name) {
  return name ? std::getenv(name) : nullptr;
}
