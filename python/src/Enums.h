#ifndef ZOLTOC_PY_ENUMS_H
#define ZOLTOC_PY_ENUMS_H

#include <optional>

#include <pybind11/pybind11.h>

#include "ZOLINSTypes.h"

namespace zolpy {

namespace py = pybind11;

// zoltoc.Type and zoltoc.Package: enum.IntEnum classes named after the library's keywords.
void AddEnums(py::module_& module);
py::object TypeOf(int type);
py::object PackageOf(int package);

// A type argument: a Type or an int from 0 to 5; None (when allowed) gives no type.
std::optional<ZOLINSType> TypeArg(const py::handle& type);
ZOLINSType RequiredTypeArg(const py::handle& type);
ZOLINSPkg PackageArg(const py::handle& package);

}  // namespace zolpy

#endif
