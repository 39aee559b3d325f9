// zoltoc: what a medium offers, what is installed, install plans, PRESENT records, control files
// and integrity checks, from the command line.
#include <cstring>
#include <exception>

#include "Common.h"

namespace {

const char* const kExitStatus =
    "Exit status: 0 success, 1 a finding or a refusal, 2 bad usage, input that does not load or\n"
    "standard output that cannot be written. With --json a failure also prints\n"
    "{\"error\": {\"code\", \"message\", \"file\", \"line\", \"element\"}} on standard output.";

int Main(int argc, char** argv) {
  CLI::App app{"zoltoc - tables of contents of a modular software installation\n"};
  app.name("zoltoc");
  app.set_version_flag("--version", std::string("zoltoc ") + ZOLTOC_VERSION,
                       "print the version and exit");
  app.require_subcommand(1);
  int status = zoltoc::kOk;
  zoltoc::AddPackagesCommand(app, status);
  zoltoc::AddElementCommand(app, status);
  zoltoc::AddLevelsCommand(app, status);
  zoltoc::AddPlanCommand(app, status);
  zoltoc::AddRecordCommand(app, status);
  zoltoc::AddChecksumCommand(app, status);
  zoltoc::AddCheckCommand(app, status);
  app.footer(kExitStatus);
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
    command->footer(kExitStatus);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);  // --help, --version
    const std::string used =
        app.get_subcommands().empty() ? "" : app.get_subcommands().back()->get_name();
    const std::string help = used.empty() ? "zoltoc --help" : "zoltoc " + used + " --help";
    return zoltoc::Report({zoltoc::kUsage, (used.empty() ? "" : used + ": ") + error.what() + " (" +
                                               help + " tells more)"});
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  zoltoc::GuardStandardDescriptors();
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--json") == 0) zoltoc::SetJsonErrors(true);
  int status = zoltoc::kUsage;
  try {
    status = Main(argc, argv);
  } catch (const std::exception& error) {  // out of memory, or a bug: never an abort
    status = zoltoc::Report({zoltoc::kUsage, std::string("internal error: ") + error.what()});
  } catch (...) {
    status = zoltoc::Report({zoltoc::kUsage, "internal error"});
  }
  return zoltoc::FinishOutput(status);
}
