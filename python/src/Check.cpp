// InstalledToc.check and zoltoc.check: the integrity check, its findings and its progress, with
// Ctrl-C stopping it as SIGINT stops the command-line check.
#include <signal.h>

#include <optional>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "Errors.h"
#include "Library.h"
#include "Tables.h"
#include "Text.h"
#include "ZOLINSCheckProgress.h"
#include "ZOLINSIntegrity.h"

namespace zolpy {
namespace {

struct CheckResult {
  int status = 1;
  bool interrupted = false;
  std::vector<std::string> findings;
  std::string report;
  int elements = 0;
  long long files = 0;
  long long bytes = 0;
  int level = 2;
};

struct Progress {
  int element, elements;
  std::optional<std::string> name;
  long long files, bytes;
};

// What the library reports while a check runs; calls the Python callback with the GIL. An
// exception from the callback stops the walk the way an interrupt does, and is raised afterwards.
struct Observer {
  py::object callback;
  CheckResult* result;
  ZOLINSCheckProgress last = {};
  std::optional<py::error_already_set> error;

  static void OnProgress(const ZOLINSCheckProgress* progress, void* context) {
    auto* self = static_cast<Observer*>(context);
    self->last = *progress;
    if (self->callback.is_none() || self->error) return;
    py::gil_scoped_acquire gil;
    try {
      self->callback(
          Progress{progress->element, progress->nbElements,
                   progress->name ? std::optional<std::string>(progress->name) : std::nullopt,
                   progress->files, progress->bytes});
    } catch (py::error_already_set& error) {
      self->error.emplace(std::move(error));
      _i_SignalIntercept_KillProcess = 1;
    }
  }

  static void OnFinding(const char* entry, void* context) {
    static_cast<Observer*>(context)->result->findings.push_back(Trimmed(entry));
  }
};

// For the length of a check: the library's SIGINT handler in place of the interpreter's (the
// library installs it itself only once the file walk starts), the observer set, the interrupt
// state cleared. Everything is put back afterwards; the interrupt state stays as the check left
// it, for C++ code of the same process that reads it.
class CheckScope {
 public:
  explicit CheckScope(Observer& observer) {
    _i_SignalIntercept_KillProcess = 0;
    _i_SignalIntercept_SignalNum = 0;
    ::sigaction(SIGINT, nullptr, &saved_);
    struct sigaction intercept = {};
    intercept.sa_handler = SignalIntercept;
    ::sigemptyset(&intercept.sa_mask);
    ::sigaction(SIGINT, &intercept, nullptr);
    ZOLINSSetCheckObserver(Observer::OnProgress, Observer::OnFinding, &observer);
  }
  ~CheckScope() {
    ZOLINSSetCheckObserver(nullptr, nullptr, nullptr);
    ::sigaction(SIGINT, &saved_, nullptr);
  }
  CheckScope(const CheckScope&) = delete;
  CheckScope& operator=(const CheckScope&) = delete;

 private:
  struct sigaction saved_;
};

bool& CheckRunning() {
  static bool running = false;
  return running;
}

}  // namespace

namespace {

// Raises what the check asks for: the callback's exception, KeyboardInterrupt after a Ctrl-C
// (carrying the partial result as its `result`), or nothing.
void RaiseAfter(Observer& observer, const CheckResult& result) {
  if (observer.error) {
    py::error_already_set error = std::move(*observer.error);
    observer.error.reset();
    throw error;
  }
  if (!result.interrupted) return;
  py::object interrupt =
      py::reinterpret_borrow<py::object>(PyExc_KeyboardInterrupt)("integrity check interrupted");
  interrupt.attr("result") = py::cast(result);
  PyErr_SetObject(PyExc_KeyboardInterrupt, interrupt.ptr());
  throw py::error_already_set();
}

CheckResult RunCheck(const std::shared_ptr<ZOLINSInstToc>& toc, const py::object& root, int level,
                     bool compactDoc, const py::object& progress) {
  const std::optional<std::string> path =
      root.is_none() ? std::nullopt : std::optional<std::string>(PathArg(root));
  CheckResult result;
  result.level = level;
  Observer observer{progress, &result, {}, std::nullopt};
  const bool started = WithLibrary([&] {
    if (CheckRunning()) return false;
    CheckRunning() = true;
    {
      CheckScope scope(observer);
      ZOLUnicodeString report;
      result.status =
          toc->CheckIntegrity(report, path ? path->c_str() : nullptr, level, compactDoc ? 1 : 0);
      result.report = std::move(report.str());
      result.interrupted = _i_SignalIntercept_KillProcess != 0;
    }
    CheckRunning() = false;
    return true;
  });
  if (!started)
    Raise(ErrorKind::Busy, MakeError(ErrorKind::Busy, "an integrity check is already running",
                                     toc->GetFileName(), std::nullopt));
  result.elements = std::max(toc->GetNbToc(), 0);
  result.files = observer.last.files;
  result.bytes = observer.last.bytes;
  RaiseAfter(observer, result);
  return result;
}

}  // namespace

namespace {

py::list DecodedList(const std::vector<std::string>& texts) {
  py::list out;
  for (const std::string& text : texts) out.append(Decode(text));
  return out;
}

void AddResultClasses(py::module_& module) {
  py::class_<Progress>(module, "CheckProgress",
                       "Where a running check is, handed to the progress callback.")
      .def_readonly("element", &Progress::element,
                    "The element about to be checked, from 1; elements + 1 when the walk ends.")
      .def_readonly("elements", &Progress::elements, "The number of installed elements.")
      .def_property_readonly(
          "name",
          [](const Progress& p) { return p.name ? py::object(Decode(*p.name)) : py::none(); },
          "That element's name; None when the walk ends.")
      .def_readonly("files", &Progress::files, "Listed files looked at so far.")
      .def_readonly("bytes", &Progress::bytes, "Bytes read so far to compare checksums.");
  py::class_<CheckResult>(module, "CheckResult", "What an integrity check found.")
      .def_readonly("status", &CheckResult::status,
                    "The library's status: 1 nothing found, 0 errors, 2 missing corequisites.")
      .def_property_readonly(
          "ok", [](const CheckResult& r) { return r.status == 1 && !r.interrupted; },
          "True when the check ran to its end and found nothing.")
      .def_readonly("interrupted", &CheckResult::interrupted,
                    "Whether the check was stopped before its end.")
      .def_property_readonly(
          "findings", [](const CheckResult& r) { return DecodedList(r.findings); },
          "Each report entry, in order, without its trailing line feed.")
      .def_property_readonly(
          "report", [](const CheckResult& r) { return Decode(r.report); },
          "The report as the library returns it (entries joined with nothing between them).")
      .def_readonly("elements", &CheckResult::elements, "Installed elements (records).")
      .def_readonly("files", &CheckResult::files, "Listed files looked at.")
      .def_readonly("bytes", &CheckResult::bytes, "Bytes read to compare checksums.")
      .def_readonly("level", &CheckResult::level, "The check level.")
      .def("__repr__", [](const CheckResult& r) {
        return py::str("<zoltoc.CheckResult status={} findings={}{}>")
            .format(r.status, r.findings.size(), r.interrupted ? " interrupted" : "");
      });
}

const char* const kCheckDoc =
    "Checks the installation below `root` against this TOC and returns a CheckResult. level 0: "
    "control files only; 1: also the presence of every listed file; 2: also their checksums "
    "(above 2 acts as 1). root=None runs the dependency checks only. compact_doc=True writes "
    "findings about documentation as 'CLASS|path' lines. progress(CheckProgress) is called "
    "before each element and once at the end; an exception it raises stops the check and "
    "propagates. Ctrl-C stops the check as SIGINT stops the command-line check (a second one "
    "ends the process) and raises KeyboardInterrupt, whose `result` holds what was found. The GIL "
    "is released while the check runs; one check runs at a time in a process.";

}  // namespace

void AddCheck(py::module_& module) {
  AddResultClasses(module);
  auto installed = py::reinterpret_borrow<py::object>(module.attr("InstalledToc"));
  installed.attr("check") = py::cpp_function(
      &RunCheck, py::name("check"), py::is_method(installed), py::arg("root"), py::arg("level") = 2,
      py::kw_only(), py::arg("compact_doc") = false, py::arg("progress") = py::none(), kCheckDoc);
  module.def(
      "check",
      [](const py::object& root, int level, bool compactDoc, const py::object& progress) {
        return RunCheck(LoadInstalled(PathArg(root)), root, level, compactDoc, progress);
      },
      py::arg("root"), py::arg("level") = 2, py::kw_only(), py::arg("compact_doc") = false,
      py::arg("progress") = py::none(),
      "Loads the installation's control/PRESENT below `root` (LoadError when it does not load) "
      "and checks it: InstalledToc(root).check(root, ...).");
}

}  // namespace zolpy
