#ifndef ZOLTOC_COMMON_H
#define ZOLTOC_COMMON_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "ZOLINSTocLib.h"

namespace zoltoc {

// Exit statuses of every subcommand.
enum Exit { kOk = 0, kFinding = 1, kUsage = 2 };

// Raised by a subcommand to end with a message on standard error and an exit status. `file`,
// `line` (0: none) and `element` say where the failure lies; `detail` is the tool's own
// explanation, printed after `message` (a library text, kept as the library gave it).
struct Failure {
  Failure(int status, std::string message, std::string file = "", int line = 0,
          std::string element = "", std::string detail = "")
      : status(status),
        message(std::move(message)),
        file(std::move(file)),
        line(line),
        element(std::move(element)),
        detail(std::move(detail)) {}
  int status;
  std::string message;
  std::string file;
  int line;
  std::string element;
  std::string detail;
};

// Where the TOC comes from: a media TOC file or an installation root (its control/PRESENT).
struct Source {
  std::string media;
  std::string install;

  // Adds --media and --install to a subcommand; `required` makes one of them mandatory.
  void AddOptions(CLI::App& command, bool mediaRequired, bool installRequired);
  std::string PresentPath() const { return install + "/control/PRESENT"; }
};

// Loaders that end the command with status 2 and the library's message (which names the file and
// the line) when the TOC does not load.
std::unique_ptr<ZOLINSMediaToc> LoadMedia(const std::string& path);
std::unique_ptr<ZOLINSInstToc> LoadInstalled(const std::string& root);
// Whether a PRESENT file must be loaded: it exists and is not an empty regular file.
bool HoldsRecords(const std::string& path);
// The table of a source: the medium when given, else the installation.
std::unique_ptr<ZOLINSToc> LoadTable(const Source& source);

// Keyword <-> value; a bad keyword ends the command with status 2.
ZOLINSType ParseType(const std::string& keyword);
ZOLINSPkg ParsePackage(const std::string& keyword);
std::string TypeName(int type);
std::string PackageName(int package);

// The element types that records carry, in keyword order.
const std::vector<ZOLINSType>& RecordTypes();

// Prints a JSON document on standard output. Text that is not valid UTF-8 is written with each
// invalid byte replaced by U+FFFD, so the output always parses.
void PrintJson(const nlohmann::json& document);
// Whether a failure also prints its JSON error object on standard output (set when --json is on
// the command line, before it is parsed, so that usage errors get one too).
void SetJsonErrors(bool on);
// Reports a failure: the message (and its detail) on standard error, and with --json the object
// {"error": {"code", "message", "file", "line", "element"}} on standard output. Returns its status.
int Report(const Failure& failure);
// A warning on standard error; the exit status does not change.
void Warn(const std::string& text);
// Makes sure descriptors 0, 1 and 2 are open, so that no file the tool opens takes their place;
// a closed standard output stays unwritable.
void GuardStandardDescriptors();
// The exit status once standard output is flushed and closed: 2 when it could not be written.
int FinishOutput(int status);
// A library message without its trailing line feeds, for standard error.
std::string Trimmed(const std::string& text);

// Each subcommand registers itself on the application; `status` receives its exit status.
void AddPackagesCommand(CLI::App& app, int& status);
void AddElementCommand(CLI::App& app, int& status);
void AddLevelsCommand(CLI::App& app, int& status);
void AddPlanCommand(CLI::App& app, int& status);
void AddRecordCommand(CLI::App& app, int& status);
void AddChecksumCommand(CLI::App& app, int& status);
void AddCheckCommand(CLI::App& app, int& status);

// Runs `body`, turning a Failure into its message and status.
template <typename Body>
int Run(Body body) {
  try {
    return body();
  } catch (const Failure& failure) {
    return Report(failure);
  }
}

// A subcommand and the options it fills, which live as long as the application.
template <typename Options>
struct Command {
  CLI::App* app;
  Options& options;
};

// Registers subcommand `name`, which runs `run` over its options and stores the exit status (or
// a Failure's) in `status`. The caller adds the options themselves.
template <typename Options>
Command<Options> AddCommand(CLI::App& app, int& status, const std::string& name,
                            const std::string& description, int (*run)(const Options&)) {
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(name, description);
  command->callback([options, run, &status] { status = Run([&] { return run(*options); }); });
  return {command, *options};
}

}  // namespace zoltoc

#endif
