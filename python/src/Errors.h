#ifndef ZOLTOC_PY_ERRORS_H
#define ZOLTOC_PY_ERRORS_H

#include <optional>
#include <string>

#include <pybind11/pybind11.h>

namespace zolpy {

namespace py = pybind11;

// The module's exception classes: Error and its subclasses, created once by AddErrors.
enum class ErrorKind { Error, Load, Plan, Record, Checksum, Busy };

void AddErrors(py::module_& module);
py::handle ErrorClass(ErrorKind kind);

// An exception instance of `kind` carrying the message, the file and the line (None when absent).
py::object MakeError(ErrorKind kind, const std::string& message, const std::string& file,
                     std::optional<int> line);
// Raises `error` (made by MakeError) as the pending Python exception.
[[noreturn]] void Raise(ErrorKind kind, const py::object& error);

// The line number that a loader's message gives for `file`: the last number written before the
// file name ("line number 3 from /x/MEDIA.TOC", or a catalogue's "ligne 3 de /x/MEDIA.TOC");
// none when the message names no line.
std::optional<int> LineOf(const std::string& message, const std::string& file);

}  // namespace zolpy

#endif
