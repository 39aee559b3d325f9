# The Python package (python/): on by default when pybind11 and a Python 3 interpreter with its
# headers are found. The interpreter is /usr/bin/python3 when there is one (the one Debian's
# pybind11 and pytest belong to), whatever python3 comes first on PATH; -DPython_EXECUTABLE=...
# picks another.
if(NOT DEFINED Python_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python interpreter of the zoltoc package")
endif()
find_package(Python 3.6 QUIET COMPONENTS Interpreter Development.Module)
if(Python_FOUND)
  find_package(pybind11 CONFIG QUIET)
endif()
if(Python_FOUND AND pybind11_FOUND)
  set(ZOLINS_PYTHON_DEFAULT ON)
else()
  set(ZOLINS_PYTHON_DEFAULT OFF)
endif()
option(ZOLINS_BUILD_PYTHON "Build the Python package zoltoc" ${ZOLINS_PYTHON_DEFAULT})
if(ZOLINS_BUILD_PYTHON)
  if(NOT pybind11_FOUND)
    message(FATAL_ERROR "ZOLINS_BUILD_PYTHON needs pybind11 (pybind11-dev) and Python 3 headers (python3-dev)")
  endif()
  add_subdirectory(python)
endif()
