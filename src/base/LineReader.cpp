#include "base/LineReader.h"

#include <algorithm>
#include <cstring>

#include "base/Files.h"

namespace zol {
namespace {
constexpr std::size_t kChunk = 1 << 16;
}

LineReader::LineReader(const std::string& path) : fd_(OpenForReading(path)) {}

bool LineReader::Fill() {
  if (begin_ > 0) {  // keep the unfinished line at the front
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() - end_ < kChunk) buffer_.resize(std::max(buffer_.size() * 2, end_ + kChunk));
  const ssize_t got = ReadSome(fd_.get(), buffer_.data() + end_, buffer_.size() - end_);
  if (got > 0) {
    end_ += static_cast<std::size_t>(got);
    return true;
  }
  if (got == 0) {
    eof_ = true;
  } else {
    failed_ = true;
  }
  return false;
}

bool LineReader::Next(std::string_view& line, bool& hadNewline) {
  if (!fd_.valid() || failed_) return false;
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const void* found =
        available > scanned_ ? std::memchr(start + scanned_, '\n', available - scanned_) : nullptr;
    if (found) {
      const std::size_t length = static_cast<const char*>(found) - start;
      line = std::string_view(start, length);
      hadNewline = true;
      begin_ += length + 1;
      scanned_ = 0;
      return true;
    }
    scanned_ = available;
    if (eof_ || !Fill()) {
      if (failed_ || end_ == begin_) return false;
      line = std::string_view(buffer_.data() + begin_, end_ - begin_);
      hadNewline = false;
      begin_ = end_;
      scanned_ = 0;
      return true;
    }
  }
}

}  // namespace zol
