#ifndef ZOLTOC_PY_LIBRARY_H
#define ZOLTOC_PY_LIBRARY_H

#include <mutex>
#include <utility>

#include <pybind11/pybind11.h>

namespace zolpy {

namespace py = pybind11;

// The library keeps process-wide state (the information message, the check observer, the
// interrupt flags, cached levels) and serves one thread at a time. Every call into it goes
// through this lock, taken after the GIL is released so that other Python threads run meanwhile.
// The lock is recursive: a progress callback of a check may look up records.
std::recursive_mutex& LibraryMutex();

// Runs `body` (which must not touch Python objects) without the GIL, under the library lock.
template <typename Body>
auto WithLibrary(Body&& body) {
  py::gil_scoped_release release;
  std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
  return std::forward<Body>(body)();
}

}  // namespace zolpy

#endif
