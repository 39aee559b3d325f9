// The Python module: zoltoc._zoltoc, re-exported by the package zoltoc.
#include <pybind11/pybind11.h>

#include "Enums.h"
#include "Errors.h"
#include "Library.h"
#include "Tables.h"

namespace zolpy {

std::recursive_mutex& LibraryMutex() {
  static auto* mutex = new std::recursive_mutex;
  return *mutex;
}

}  // namespace zolpy

PYBIND11_MODULE(_zoltoc, module) {
  using namespace zolpy;
  module.doc() = "Tables of contents of a modular software installation (the compiled part).";
  AddErrors(module);
  AddEnums(module);
  AddRecord(module);
  AddTables(module);
  AddPlan(module);
  AddCheck(module);
  AddControl(module);
}
