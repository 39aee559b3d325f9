#ifndef ZOLTOC_COMMON_H
#define ZOLTOC_COMMON_H

#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "ZOLINSTocLib.h"

namespace zoltoc {

// Exit statuses of every subcommand.
enum Exit { kOk = 0, kFinding = 1, kUsage = 2 };

// Raised by a subcommand to end with a message on standard error and an exit status.
struct Failure {
  int status;
  std::string message;
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
// The table of a source: the medium when given, else the installation.
std::unique_ptr<ZOLINSToc> LoadTable(const Source& source);

// Keyword <-> value; a bad keyword ends the command with status 2.
ZOLINSType ParseType(const std::string& keyword);
ZOLINSPkg ParsePackage(const std::string& keyword);
std::string TypeName(int type);
std::string PackageName(int package);

// The element types that records carry, in keyword order.
const std::vector<ZOLINSType>& RecordTypes();

// Prints a JSON document on standard output.
void PrintJson(const nlohmann::json& document);
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
    if (!failure.message.empty()) std::fprintf(stderr, "zoltoc: %s\n", failure.message.c_str());
    return failure.status;
  }
}

}  // namespace zoltoc

#endif
