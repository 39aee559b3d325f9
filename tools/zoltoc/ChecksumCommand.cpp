// checksum: write a control file with checksums from a file list.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "Common.h"

namespace zoltoc {
namespace {

struct ChecksumOptions {
  std::string list;
  std::string output;
  bool json = false;
};

// The lines of a regular file, the last one with or without its line feed; none for anything else
// (a FIFO is never opened here).
std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// How the control-file writer reads a list line: the text after the last "/" is the last
// component; a blank in it that does not end the line starts a checksum field.
struct ListEntry {
  bool badField = false;
  bool hasChecksum = false;
  std::string last;  // without the checksum field
};

ListEntry Entry(const std::string& line) {
  ListEntry entry;
  const std::size_t slash = line.rfind('/');
  entry.last = slash == std::string::npos ? "" : line.substr(slash + 1);
  const std::size_t blank = entry.last.find(' ');
  if (blank == std::string::npos || blank + 1 >= entry.last.size()) return entry;
  const std::string field = entry.last.substr(blank + 1);
  // Any text read as non-zero is a checksum, and of the texts read as zero only "0".
  entry.badField = field != "0" && std::strtol(field.c_str(), nullptr, 10) == 0;
  entry.hasChecksum = !entry.badField;
  entry.last.resize(blank);
  return entry;
}

// Lines that should have gained a checksum and did not: their file could not be read.
nlohmann::json Unread(const std::vector<std::string>& list, const std::vector<std::string>& control,
                      const std::string& listName) {
  nlohmann::json unread = nlohmann::json::array();
  for (std::size_t i = 0; i < list.size() && i < control.size(); ++i) {
    const ListEntry entry = Entry(list[i]);
    const std::size_t dot = entry.last.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : entry.last.substr(dot + 1);
    const bool index = extension == "QEidx" || extension == "SOLidx";
    const bool self =
        entry.last == listName && list[i].find("/control/" + listName) != std::string::npos;
    if (control[i] == list[i] && !entry.hasChecksum && !index && !self)
      unread.push_back({{"line", i + 1}, {"path", list[i]}});
  }
  return unread;
}

int FirstBadField(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (Entry(lines[i]).badField) return static_cast<int>(i + 1);
  return 0;
}

int RunChecksum(const ChecksumOptions& options) {
  const std::string control = options.output.empty() ? options.list : options.output;
  // The library replaces the control file by renaming a new file over it: a device, a FIFO or a
  // file behind /dev/stdout would be replaced by a regular file.
  struct stat info;
  if (::stat(control.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
    throw Failure{kUsage, "", control, 0, "", "is not a regular file; nothing written"};
  const std::vector<std::string> list = Lines(options.list);  // read before it is rewritten
  const int result = ZOLAddCheckSum(options.list.c_str(), control.c_str());
  if (result == -1) {
    const int bad = FirstBadField(list);
    throw Failure{kUsage,
                  "",
                  options.list,
                  bad,
                  "",
                  bad ? "the checksum field is not a number; nothing written"
                      : "cannot be examined; nothing written"};
  }
  if (result == 0)  // the library said why
    throw Failure{kFinding, "", control, 0, "", "no control file written"};
  const std::size_t slash = options.list.rfind('/');
  const nlohmann::json unread =
      Unread(list, Lines(control), options.list.substr(slash == std::string::npos ? 0 : slash + 1));
  for (const auto& entry : unread)
    std::fprintf(stderr, "zoltoc: %s:%d: %s: not read, written without a checksum\n",
                 options.list.c_str(), entry["line"].get<int>(),
                 entry["path"].get<std::string>().c_str());
  if (options.json) {
    PrintJson(
        {{"list", options.list}, {"control", control}, {"written", true}, {"unread", unread}});
  } else {
    std::printf("wrote %s\n", control.c_str());
  }
  return unread.empty() ? kOk : kFinding;
}

}  // namespace

void AddChecksumCommand(CLI::App& app, int& status) {
  auto [command, options] =
      AddCommand(app, status, "checksum",
                 "write a control file: each listed file followed by its checksum", RunChecksum);
  command->add_option("list", options.list, "file list, one ./path per line")
      ->required()
      ->check(CLI::ExistingFile);
  command->add_option("-o,--output", options.output, "control file (default: rewrite the list)");
  command->add_flag("--json", options.json, "JSON output");
}

}  // namespace zoltoc
