#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "ZOLCheckSum.h"
#include "base/FileWriter.h"
#include "base/InstallLock.h"
#include "base/LineReader.h"
#include "base/Message.h"
#include "integrity/ListLine.h"
#include "integrity/ReadAhead.h"

namespace {

constexpr const char* kListUnreadable =
    "%s : unable to open this file in reading mode, check permissions mode ; new control file not "
    "created\n";
constexpr const char* kFileUnreadable =
    "%s : unable to open this file in reading mode, check permissions mode ; CheckSum not "
    "calculated\n";
constexpr const char* kNoPermissions = "%s : couldn't change access permissions mode\n";
constexpr const char* kControlUnwritable =
    "%s : unable to open this file in writing mode, check permissions mode ; new control file not "
    "created\n";
constexpr const char* kWriteFailed = "Error : fputs failed ; new control file for %s not created\n";

void Report(const char* key, const char* text, const char* path) noexcept {
  try {
    std::fprintf(stderr, "%s\n", zol::Message(key, text, path).ConvertToChar());
  } catch (const std::exception&) {
    std::fprintf(stderr, "%s: %s\n", key, path);  // out of memory: the key at least
  }
}

// Lines are taken whole however long they are: cutting a long path into pieces would checksum
// names that exist nowhere and split the path across lines of the control file.
bool ReadLines(zol::LineReader& reader, std::vector<std::string>& lines) {
  std::string_view line;
  bool newline = false;
  while (reader.Next(line, newline)) lines.emplace_back(line);
  return !reader.Failed();
}

std::string OwnName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The directory the listed paths are relative to: the list's own directory, climbed up as often
// as the control file's own line says; without such a line, the list's directory itself.
std::string BaseDirectory(const std::string& listPath, const std::vector<std::string>& lines,
                          const std::vector<zol::ListLine>& kinds) {
  const std::size_t slash = listPath.rfind('/');
  std::string base = slash == std::string::npos ? std::string() : listPath.substr(0, slash + 1);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!kinds[i].isSelf) continue;
    for (int climb = zol::ClimbCount(lines[i]); climb > 0; --climb) base += "../";
    break;
  }
  return base;
}

// Whether line i gets a checksum: it carries none, and is neither an index nor the self line.
bool NeedsSum(const zol::ListLine& kind) {
  return !kind.hasChecksum && !kind.isIndex && !kind.isSelf;
}

// The checksums of the lines that need one, in line order, read ahead by the check's readers.
std::vector<std::optional<std::uint32_t>> SumsOfListedFiles(const std::vector<std::string>& lines,
                                                            const std::vector<zol::ListLine>& kinds,
                                                            const std::string& base) {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (NeedsSum(kinds[i])) paths.push_back(base + lines[i]);
  }
  return zol::SumFiles(paths, zol::CheckReaders());
}

std::string ControlText(const std::vector<std::string>& lines,
                        const std::vector<zol::ListLine>& kinds, const std::string& base,
                        std::size_t listSize) {
  const std::vector<std::optional<std::uint32_t>> sums = SumsOfListedFiles(lines, kinds, base);
  std::string text;
  text.reserve(listSize + 12 * (lines.size() + 1));  // a blank, ten digits and a line feed each
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    if (NeedsSum(kinds[i])) {
      const std::optional<std::uint32_t>& sum = sums[next++];
      if (!sum) {
        Report("ZOLCheckSum.rOpenFailedCksum", kFileUnreadable, (base + lines[i]).c_str());
      } else {
        text += zol::Format(" %lu", static_cast<unsigned long>(*sum));
      }
    }
    text += '\n';
  }
  return text;
}

// Written under the file writer's rule; a list rewritten in place by its owner keeps its mode
// even when it is read-only, as a file whose mode is lifted for the write and given back.
int WriteControl(const std::string& listPath, const std::string& controlPath,
                 const std::string& text) {
  zol::WriteOptions options;
  options.replaceReadOnly = listPath == controlPath;
  const zol::WriteResult written = zol::WriteWholeFile(controlPath, text, options);
  switch (written.failed) {
    case zol::WriteStep::None:
      return 1;
    case zol::WriteStep::Examine:
    case zol::WriteStep::Open:
      Report("ZOLCheckSum.wOpenFailedControl", kControlUnwritable, controlPath.c_str());
      break;
    case zol::WriteStep::Keep:
      Report("ZOLCheckSum.chPerm", kNoPermissions, controlPath.c_str());
      break;
    default:
      Report("ZOLCheckSum.fputs", kWriteFailed, listPath.c_str());
  }
  return 0;
}

int AddCheckSum(const std::string& listPath, const std::string& controlPath) {
  zol::LineReader reader(listPath);
  if (!reader.IsOpen()) {
    Report("ZOLCheckSum.rOpenFailedControl", kListUnreadable, listPath.c_str());
    return 0;
  }
  struct stat info;
  if (::stat(listPath.c_str(), &info) != 0) return -1;
  std::vector<std::string> lines;
  if (!ReadLines(reader, lines)) {
    Report("ZOLCheckSum.rOpenFailedControl", kListUnreadable, listPath.c_str());
    return 0;
  }
  // Every line is classified before any file is read, so that a malformed checksum field fails
  // the call at once, without a message and without reading a single listed file.
  const std::string listName = OwnName(listPath);
  std::vector<zol::ListLine> kinds;
  kinds.reserve(lines.size());
  for (const std::string& line : lines) {
    kinds.push_back(zol::ClassifyListLine(line, listName));
    if (kinds.back().badChecksumField) return -1;
  }
  const std::string base = BaseDirectory(listPath, lines, kinds);
  const std::string text = ControlText(lines, kinds, base, static_cast<std::size_t>(info.st_size));
  return WriteControl(listPath, controlPath, text);
}

}  // namespace

int ZOLAddCheckSum(const char* listPath, const char* controlPath) {
  const char* list = listPath ? listPath : "";
  const char* control = controlPath ? controlPath : "";
  try {
    // A list turned into its own control file is read, then written back: other writers of the
    // installation wait until both are done.
    std::optional<zol::InstallLock> lock;
    if (*list && std::strcmp(list, control) == 0) lock.emplace(list);
    if (lock && lock->GetState() == zol::InstallLock::State::Busy) {
      std::fprintf(stderr, "%s\n", lock->Reason().c_str());
      return 0;
    }
    return AddCheckSum(list, control);
  } catch (const std::exception&) {
    Report("ZOLCheckSum.fputs", kWriteFailed, list);  // out of memory: nothing written
    return 0;
  }
}
