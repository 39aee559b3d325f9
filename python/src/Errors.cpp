#include "Errors.h"

#include <cctype>

#include "Text.h"

namespace zolpy {
namespace {

// In ErrorKind order; every class but Error itself derives from Error.
struct ErrorKindInfo {
  const char* name;
  const char* doc;
};

const ErrorKindInfo kErrors[] = {
    {"Error",
     "Base of the module's errors. message: the library's text; file: the file concerned, or "
     "None; line: its line number, or None."},
    {"LoadError",
     "A TOC file does not load: missing, empty, a line that does not parse, mismatched operating "
     "systems or GA levels, a duplicate entry."},
    {"PlanError",
     "The library refused an install plan; messages holds what it said, as it said it (message "
     "the same without its final line feeds, or a default text when it said nothing)."},
    {"RecordError",
     "Some elements could not be recorded in PRESENT. recorded: the names that were; failures: "
     "(name, code, reason) for each of the others."},
    {"ChecksumError",
     "A control file could not be written; the library printed the reason on standard error."},
    {"BusyError",
     "An integrity check was started while one is running in this process (from a progress "
     "callback)."},
};

// Kept for the life of the process: released at exit, they would outlive the interpreter.
py::object& Slot(ErrorKind kind) {
  static auto* classes = new py::object[std::size(kErrors)];
  return classes[static_cast<int>(kind)];
}

}  // namespace

void AddErrors(py::module_& module) {
  for (const ErrorKindInfo& entry : kErrors) {
    const auto kind = static_cast<ErrorKind>(&entry - kErrors);
    const std::string qualified = "zoltoc." + std::string(entry.name);
    PyObject* base =
        kind == ErrorKind::Error ? PyExc_Exception : ErrorClass(ErrorKind::Error).ptr();
    PyObject* created = PyErr_NewExceptionWithDoc(qualified.c_str(), entry.doc, base, nullptr);
    if (!created) throw py::error_already_set();
    Slot(kind) = py::reinterpret_steal<py::object>(created);
    module.attr(entry.name) = Slot(kind);
  }
}

py::handle ErrorClass(ErrorKind kind) {
  return Slot(kind);
}

py::object MakeError(ErrorKind kind, const std::string& message, const std::string& file,
                     std::optional<int> line) {
  const py::str text = Decode(Trimmed(message));
  py::object error = ErrorClass(kind)(text);
  error.attr("message") = text;
  error.attr("file") = file.empty() ? py::object(py::none()) : py::object(Decode(file));
  error.attr("line") = line ? py::object(py::int_(*line)) : py::object(py::none());
  return error;
}

void Raise(ErrorKind kind, const py::object& error) {
  PyErr_SetObject(ErrorClass(kind).ptr(), error.ptr());
  throw py::error_already_set();
}

std::optional<int> LineOf(const std::string& message, const std::string& file) {
  const std::size_t at = file.empty() ? std::string::npos : message.find(file);
  if (at == std::string::npos) return std::nullopt;
  std::size_t end = at;
  while (end > 0 && !std::isdigit(static_cast<unsigned char>(message[end - 1]))) {
    // Only the few words between the number and the file ("from", "de", "in file").
    if (at - end > 16 || message[end - 1] == '\n') return std::nullopt;
    --end;
  }
  std::size_t start = end;
  while (start > 0 && std::isdigit(static_cast<unsigned char>(message[start - 1]))) --start;
  if (start == end || end - start > 9) return std::nullopt;
  return std::stoi(message.substr(start, end - start));
}

}  // namespace zolpy
