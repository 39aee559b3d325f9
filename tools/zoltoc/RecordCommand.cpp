// record: add elements installed from a medium to control/PRESENT.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "Common.h"
#include "installed/RecordFailure.h"

namespace zoltoc {
namespace {

struct RecordOptions {
  std::string media;
  std::string install;
  std::vector<std::string> names;
  bool json = false;
};

constexpr int kNameTooLong = -1000;  // the tool's own: not a code of the library

const char* Reason(int code) {
  return code == kNameTooLong ? "the name is longer than 47 characters"
                              : zol::RecordFailureReason(code);
}

// What tells a file rewritten or appended to from one left alone (the writer holds the lock).
struct FileStamp {
  bool exists = false;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified = {};
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
  }
};

FileStamp StampOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return {};
  return {true, info.st_ino, info.st_size, info.st_mtim};
}

int RunRecord(const RecordOptions& options) {
  std::unique_ptr<ZOLINSMediaToc> media = LoadMedia(options.media);
  const std::string present = options.install + "/control/PRESENT";
  // One turn under the installation lock for the whole sequence, from reading PRESENT to the last
  // record: another writer's change cannot fall between them.
  const ZOLINSInstallLock lock(present.c_str());
  if (lock.GetState() < 0) throw Failure{kFinding, lock.GetReason()};
  // Documentation products already recorded are completed rather than recorded twice. The
  // table is loaded first so that a PRESENT that does not load is named with its line.
  if (HoldsRecords(present)) {
    LoadInstalled(options.install);
    if (SetDocPresentFile(present.c_str()) != 0)
      throw Failure{kUsage, "", present, 0, "", "cannot be loaded"};
  }
  nlohmann::json recorded = nlohmann::json::array(), already = nlohmann::json::array(),
                 failed = nlohmann::json::array();
  for (const std::string& name : options.names) {
    char buffer[ZOLINS_NAME_SIZE] = {};
    std::strncpy(buffer, name.c_str(), ZOLINS_NAME_SIZE - 1);
    // An element recorded already succeeds without a write: PRESENT is then left as it was.
    const FileStamp before = StampOf(present);
    // A longer name would be cut to another element's name.
    const int code =
        name.size() >= ZOLINS_NAME_SIZE
            ? kNameTooLong
            : UpdatePresentFromToc(options.media.c_str(), buffer, present.c_str(), media.get());
    if (code == 0) {
      const bool unchanged = before.exists && StampOf(present) == before;
      (unchanged ? already : recorded).push_back(name);
      if (!options.json)
        std::printf(unchanged ? "%s is recorded already in %s\n" : "recorded %s in %s\n",
                    name.c_str(), present.c_str());
    } else {
      failed.push_back({{"name", name}, {"code", code}, {"reason", Reason(code)}});
      const bool ofMedia = code == -10 || code == -300;  // the others are about PRESENT
      std::fprintf(stderr, "zoltoc: %s: %s: %s (%d)\n", (ofMedia ? options.media : present).c_str(),
                   name.c_str(), Reason(code), code);
    }
  }
  if (options.json)
    PrintJson(
        {{"present", present}, {"recorded", recorded}, {"already", already}, {"failed", failed}});
  return failed.empty() ? kOk : kFinding;
}

}  // namespace

void AddRecordCommand(CLI::App& app, int& status) {
  auto [command, options] =
      AddCommand(app, status, "record", "record installed elements in control/PRESENT", RunRecord);
  command->add_option("names", options.names, "element names, as on the medium")->required();
  command->add_option("--media", options.media, "media TOC file the elements come from")
      ->required()
      ->check(CLI::ExistingFile);
  command->add_option("--install", options.install, "installation root (holds control/PRESENT)")
      ->required()
      ->check(CLI::ExistingDirectory);
  command->add_flag("--json", options.json, "JSON output");
}

}  // namespace zoltoc
