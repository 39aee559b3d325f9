#include "LoadFailure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace zoltoc {
namespace {

std::string SystemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

// What is wrong with the file as a whole, or "" when it holds at least one line; `line` is set
// when the problem lies in its first line.
std::string FileProblem(const std::string& path, int& line) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return SystemError("cannot be read");
  if (S_ISDIR(info.st_mode)) return "is a directory, not a TOC file";
  if (!S_ISREG(info.st_mode)) return "is not a regular file";
  if (info.st_size == 0) return "is empty";
  std::ifstream in(path, std::ios::binary);
  if (!in) return SystemError("cannot be read");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.size() != static_cast<std::size_t>(info.st_size)) return "cannot be read whole";
  if (text.find('\n') != std::string::npos) return "";
  line = 1;
  if (text.find_first_not_of('\0') == std::string::npos) return "holds only NUL bytes, no line";
  if (text.find('\r') != std::string::npos)
    return "its lines end with a carriage return only; TOC lines end with a line feed";
  return "its only line has no line feed, so it is not read";
}

// The element a raw line names: the name field, blanks trimmed.
std::string NameInLine(const char* line, bool media) {
  std::string text = line ? line : "";
  std::size_t begin = 0;
  for (int field = media ? 5 : 2; field > 0 && begin != std::string::npos; --field) {
    begin = text.find(':', begin);
    if (begin != std::string::npos) ++begin;
  }
  if (begin == std::string::npos) return "";
  std::string name = text.substr(begin, text.find(':', begin) - begin);
  const std::size_t first = name.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return name.substr(first, name.find_last_not_of(" \t\r") - first + 1);
}

// The file loaded again record by record, through the public record parser, to find where a
// failed load stopped.
class Probe {
 public:
  explicit Probe(bool media) : media_(media) {}

  // Fills the failure's line, element and detail; false when nothing is found.
  bool Locate(const std::string& path, Failure& failure) {
    std::string copy = path;
    ZOLUnicodeString message;
    if (lines_.Init(&copy[0], message) != 1) return false;
    for (int i = 0; i < lines_.GetNbToc(); ++i) {
      ZOLToken token{ZOLUnicodeString(lines_.GetLine(i))};
      ZOLINSPrefixToc prefix;
      if (media_) prefix.WriteTabPrefixToc(token, message);
      records_.push_back(std::make_unique<ZOLINSUnitToc>());
      if (records_.back()->WriteTabUnitToc(token, message) != 1) {
        failure.line = i + 1;
        failure.element = NameInLine(lines_.GetLine(i), media_);
        failure.detail =
            failure.element.empty() ? "this record does not parse" : "element " + failure.element;
        return true;
      }
    }
    return Mismatch(failure) || (!media_ && (Overflow(failure) || Duplicate(failure)));
  }

 private:
  int Count() const { return static_cast<int>(records_.size()); }
  const ZOLINSUnitToc& Record(int i) const { return *records_[i]; }

  bool Found(Failure& failure, int index, const std::string& detail) {
    failure.line = index + 1;
    failure.element = Record(index).GetName();
    failure.detail = failure.element + " (" + TypeName(Record(index).GetType()) + "): " + detail;
    return true;
  }

  // Code records that carry another operating system, and records of another GA level.
  bool Mismatch(Failure& failure) {
    if (records_.empty()) return false;
    const std::string os = Record(0).GetOS(), ga = Record(0).GetGALevel();
    for (int i = 1; i < Count(); ++i) {
      const ZOLINSUnitToc& record = Record(i);
      if (record.GetType() == ZOLINS_CODE && os != record.GetOS())
        return Found(failure, i,
                     std::string("operating system ") + record.GetOS() + ", line 1 has " + os);
      if (ga != record.GetGALevel())
        return Found(failure, i,
                     std::string("GA level ") + record.GetGALevel() + ", line 1 has " + ga);
    }
    return false;
  }

  // The first record past the number of installed names a type can hold.
  bool Overflow(Failure& failure) {
    std::set<std::pair<int, std::string>> names;
    std::map<int, int> perType;
    for (int i = 0; i < Count(); ++i) {
      const ZOLINSUnitToc& record = Record(i);
      if (!names.emplace(record.GetType(), record.GetName()).second) continue;
      if (++perType[record.GetType()] > ZOLINS_STOCK_CAPACITY)
        return Found(failure, i,
                     "more than " + std::to_string(ZOLINS_STOCK_CAPACITY) + " installed " +
                         TypeName(record.GetType()) + " elements");
    }
    return false;
  }

  bool Duplicate(Failure& failure) {
    std::map<std::pair<int, std::string>, int> first;
    for (int i = 0; i < Count(); ++i) {
      const ZOLINSUnitToc& record = Record(i);
      const auto seen = first.emplace(std::make_pair(record.GetType(), record.GetName()), i);
      if (!seen.second)
        return Found(failure, i,
                     "recorded again, first on line " + std::to_string(seen.first->second + 1));
    }
    return false;
  }

  const bool media_;
  ZOLINSToc lines_;
  std::vector<std::unique_ptr<ZOLINSUnitToc>> records_;
};

}  // namespace

Failure LoadFailure(const std::string& path, const std::string& libraryMessage, bool media) {
  Failure failure{kUsage, Trimmed(libraryMessage), path};
  int line = 0;
  const std::string problem = FileProblem(path, line);
  if (!problem.empty()) {
    failure.line = line;
    failure.detail = problem;
    return failure;
  }
  if (!Probe(media).Locate(path, failure) && failure.message.empty())
    failure.detail =
        media ? "cannot be loaded as a media TOC" : "cannot be loaded as a PRESENT file";
  return failure;
}

void WarnUnterminated(const std::string& path, int lines) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd == -1) return;
  struct stat info;
  char last = '\n';
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
      ::pread(fd, &last, 1, info.st_size - 1) != 1)
    last = '\n';
  ::close(fd);
  if (last != '\n')
    Warn(path + ":" + std::to_string(lines + 1) + ": the last line has no line feed, not read");
}

}  // namespace zoltoc
