// zoltoc: what a medium offers, what is installed, install plans, PRESENT records, control files
// and integrity checks, from the command line.
#include "Common.h"

int main(int argc, char** argv) {
  CLI::App app{
      "zoltoc - tables of contents of a modular software installation\n\n"
      "Exit status: 0 success, 1 a finding or a refusal, 2 bad usage or unreadable input."};
  app.require_subcommand(1);
  int status = zoltoc::kOk;
  zoltoc::AddPackagesCommand(app, status);
  zoltoc::AddElementCommand(app, status);
  zoltoc::AddLevelsCommand(app, status);
  zoltoc::AddPlanCommand(app, status);
  zoltoc::AddRecordCommand(app, status);
  zoltoc::AddChecksumCommand(app, status);
  zoltoc::AddCheckCommand(app, status);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? zoltoc::kOk : zoltoc::kUsage;
  }
  return status;
}
