// checksum: write a control file with checksums from a file list.
#include <cstdio>
#include <memory>

#include "Common.h"

namespace zoltoc {
namespace {

struct ChecksumOptions {
  std::string list;
  std::string output;
  bool json = false;
};

int RunChecksum(const ChecksumOptions& options) {
  const std::string control = options.output.empty() ? options.list : options.output;
  const int result = ZOLAddCheckSum(options.list.c_str(), control.c_str());
  if (result == -1)
    throw Failure{
        kUsage,
        options.list + ": cannot be examined, or a line carries a checksum that is not a number"};
  if (result == 0) throw Failure{kFinding, ""};  // the library printed why
  if (options.json) {
    PrintJson({{"list", options.list}, {"control", control}, {"written", true}});
  } else {
    std::printf("wrote %s\n", control.c_str());
  }
  return kOk;
}

}  // namespace

void AddChecksumCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ChecksumOptions>();
  CLI::App* command = app.add_subcommand(
      "checksum", "write a control file: each listed file followed by its checksum");
  command->add_option("list", options->list, "file list, one ./path per line")
      ->required()
      ->check(CLI::ExistingFile);
  command->add_option("-o,--output", options->output, "control file (default: rewrite the list)");
  command->add_flag("--json", options->json, "JSON output");
  command->callback([options, &status] { status = Run([&] { return RunChecksum(*options); }); });
}

}  // namespace zoltoc
