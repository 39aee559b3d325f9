// check: the integrity of an installation, with a progress line on a terminal.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Common.h"

namespace zoltoc {
namespace {

struct CheckOptions {
  std::string install;
  int level = 2;
  bool compactDoc = false;
  bool quiet = false;
  bool json = false;
  int readers = 0;  // 0: ZOL_CHECK_READERS or the library's default
};

// What the library reports while the check runs.
struct Observer {
  bool showProgress = false;
  std::vector<std::string> findings;
  ZOLINSCheckProgress last = {};
  std::chrono::steady_clock::time_point shown;
  bool lineShown = false;

  static void OnProgress(const ZOLINSCheckProgress* progress, void* context) {
    auto* self = static_cast<Observer*>(context);
    self->last = *progress;
    if (!self->showProgress) return;
    const auto now = std::chrono::steady_clock::now();
    const bool done = progress->name == nullptr;
    if (!done && self->lineShown && now - self->shown < std::chrono::milliseconds(100)) return;
    self->shown = now;
    if (done) {
      if (self->lineShown) std::fputs("\r\033[K", stderr);
      self->lineShown = false;
      return;
    }
    std::fprintf(stderr, "\r\033[Kelement %d of %d  %lld files  %.1f MB  %s", progress->element,
                 progress->nbElements, progress->files, progress->bytes / 1e6, progress->name);
    std::fflush(stderr);
    self->lineShown = true;
  }

  static void OnFinding(const char* entry, void* context) {
    static_cast<Observer*>(context)->findings.push_back(Trimmed(entry));
  }
};

const char* Verdict(int status, bool interrupted) {
  if (interrupted) return "interrupted";
  switch (status) {
    case 1:
      return "sound";
    case 2:
      return "missing corequisites";
    default:
      return "errors found";
  }
}

int RunCheck(const CheckOptions& options) {
  if (options.readers > 0)
    ::setenv("ZOL_CHECK_READERS", std::to_string(options.readers).c_str(), 1);
  std::unique_ptr<ZOLINSInstToc> toc = LoadInstalled(options.install);
  Observer observer;
  observer.showProgress = !options.quiet && ::isatty(2);
  ZOLINSSetCheckObserver(Observer::OnProgress, Observer::OnFinding, &observer);
  ZOLUnicodeString report;
  const int status = toc->CheckIntegrity(report, options.install.c_str(), options.level,
                                         options.compactDoc ? 1 : 0);
  ZOLINSSetCheckObserver(nullptr, nullptr, nullptr);
  Observer::OnProgress(&observer.last, &observer);  // clears the progress line
  // The library leaves the status as it was when the walk stopped; an interrupted check did not
  // look at everything, so it is not reported sound.
  const bool interrupted = _i_SignalIntercept_KillProcess != 0;

  if (options.json) {
    PrintJson({{"install", options.install},
               {"level", options.level},
               {"status", status},
               {"verdict", Verdict(status, interrupted)},
               {"interrupted", interrupted},
               {"elements", toc->GetNbToc()},
               {"files", observer.last.files},
               {"bytes", observer.last.bytes},
               {"findings", observer.findings},
               {"report", report.str()}});
  } else {
    for (const std::string& finding : observer.findings) std::printf("%s\n", finding.c_str());
    std::printf("%s: %s (%d elements, %lld files, level %d)\n", options.install.c_str(),
                Verdict(status, interrupted), toc->GetNbToc(), observer.last.files, options.level);
  }
  return status == 1 && !interrupted ? kOk : kFinding;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& status) {
  auto [command, options] = AddCommand(
      app, status, "check",
      "check an installation: control files, listed files, checksums, dependencies", RunCheck);
  command->add_option("--install", options.install, "installation root (holds control/PRESENT)")
      ->required()
      ->check(CLI::ExistingDirectory);
  command
      ->add_option("--level", options.level,
                   "0: control files, 1: also listed files, 2: also checksums (default)")
      ->check(CLI::Range(0, 2));
  command->add_flag("--compact-doc", options.compactDoc,
                    "documentation findings as CLASS|path lines");
  command->add_flag("-q,--quiet", options.quiet, "no progress line");
  command->add_flag("--json", options.json, "JSON output");
  command
      ->add_option("--readers", options.readers,
                   "threads reading files ahead of a level-2 check (1: none; default: "
                   "ZOL_CHECK_READERS, else from the processors)")
      ->check(CLI::Range(1, 256));
}

}  // namespace zoltoc
