#ifndef ZOLTOC_PY_TABLES_H
#define ZOLTOC_PY_TABLES_H

#include <memory>
#include <vector>

#include <pybind11/pybind11.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"

namespace zolpy {

namespace py = pybind11;

// One record of a loaded table. It shares the table's ownership, so it stays valid however long
// Python keeps it, also after the table object itself is gone. Tables are never changed once
// loaded (the module offers no removal), so a record's fields are read without the library lock.
struct Record {
  std::shared_ptr<ZOLINSToc> table;
  int index;

  const ZOLINSUnitToc& Unit() const { return *table->GetIiemeUnitToc(index); }
  // The record's medium, order and archive size; null for an installed TOC.
  const ZOLINSPrefixToc* Prefix() const;
};

// Records of `table` at `indexes`, as a Python list.
py::list Records(const std::shared_ptr<ZOLINSToc>& table, const std::vector<int>& indexes);

// The class Record; the classes Toc, MediaToc and InstalledToc.
void AddRecord(py::module_& module);
void AddTables(py::module_& module);
// MediaToc.plan and InstalledToc.check, added to the classes AddTables made.
void AddPlan(py::module_& module);
void AddCheck(py::module_& module);
// zoltoc.record and zoltoc.checksum.
void AddControl(py::module_& module);

// The PRESENT file of an installation root, or the path itself when it is not a directory.
std::string PresentPath(const std::string& path);
// Load a TOC file, raising LoadError when it does not load.
std::shared_ptr<ZOLINSMediaToc> LoadMedia(const std::string& path);
std::shared_ptr<ZOLINSInstToc> LoadInstalled(const std::string& path);

}  // namespace zolpy

#endif
