// zoltoc.Toc and its two kinds, MediaToc and InstalledToc: lookups and queries.
#include <pybind11/stl.h>

#include "Enums.h"
#include "Library.h"
#include "Queries.h"
#include "Tables.h"
#include "Text.h"

namespace zolpy {
namespace {

using TocPtr = std::shared_ptr<ZOLINSToc>;

py::object Find(const TocPtr& toc, const py::object& name, const py::object& type) {
  const std::string wanted = NameArg(name);
  const std::optional<ZOLINSType> t = TypeArg(type);
  const int index = WithLibrary(
      [&] { return t ? toc->GetIndex(wanted.c_str(), *t) : toc->GetIndexAnyType(wanted.c_str()); });
  return index < 0 ? py::object(py::none()) : py::cast(Record{toc, index});
}

py::object Item(const TocPtr& toc, const py::object& name) {
  py::object found = Find(toc, name, py::none());
  if (found.is_none()) throw py::key_error(py::repr(name));
  return found;
}

py::list All(const TocPtr& toc) {
  std::vector<int> indexes(static_cast<std::size_t>(std::max(toc->GetNbToc(), 0)));
  for (std::size_t i = 0; i < indexes.size(); ++i) indexes[i] = static_cast<int>(i);
  return Records(toc, indexes);
}

py::list Packages(const TocPtr& toc, const py::args& packages, const py::object& type,
                  bool visible) {
  std::vector<ZOLINSPkg> wanted;
  for (const py::handle& package : packages) wanted.push_back(PackageArg(package));
  if (wanted.empty())
    for (int p = 0; p < 10; ++p) wanted.push_back(static_cast<ZOLINSPkg>(p));
  const std::optional<ZOLINSType> t = TypeArg(type);
  return Records(toc, WithLibrary([&] {
                   std::vector<int> out;
                   for (ZOLINSPkg package : wanted) {
                     const std::vector<int> some = PackageRecords(*toc, package, t, visible);
                     out.insert(out.end(), some.begin(), some.end());
                   }
                   return out;
                 }));
}

// A query by name and type (None: any type) that answers record indexes.
template <typename Query>
auto ByName(Query query) {
  return [query](const TocPtr& toc, const py::object& name, const py::object& type) {
    const std::string wanted = NameArg(name);
    const std::optional<ZOLINSType> t = TypeArg(type);
    return Records(toc, WithLibrary([&] { return query(*toc, wanted, t); }));
  };
}

void AddLevels(py::class_<ZOLINSToc, TocPtr>& cls) {
  cls.def_property_readonly(
         "path", [](const TocPtr& t) { return Decode(t->GetFileName()); },
         "The TOC file the table was loaded from.")
      .def_property_readonly(
          "os", [](const TocPtr& t) { return Decode(t->GetOS()); },
          "The operating-system code of the table.")
      .def_property_readonly(
          "ga_level", [](const TocPtr& t) { return Decode(t->GetGALevel()); },
          "The GA level of the table.")
      .def_property_readonly(
          "spk_level", [](const TocPtr& t) { return t->GetSPKLevel(1); },
          "The highest service-pack level of its service packs and hot fixes (0: none).")
      .def_property_readonly(
          "previous_spk_level", [](const TocPtr& t) { return t->GetSPKLevel(0); },
          "The service-pack level that was highest before the last raise.")
      .def_property_readonly(
          "hfx_level", [](const TocPtr& t) { return t->GetHFXLevel(); },
          "The hot-fix level (0: none).")
      .def_property_readonly(
          "hfx_name", [](const TocPtr& t) { return Decode(t->GetHFXName()); },
          "The name of the newest hot fix ('' when none).");
}

}  // namespace

namespace {

void AddQueries(py::class_<ZOLINSToc, TocPtr>& cls) {
  const auto anyType = py::arg("type") = py::none();
  const auto codeType = py::arg("type") = TypeOf(ZOLINS_CODE);
  cls.def("find", &Find, py::arg("name"), anyType,
          "The first record of that name, of `type` when given (any type when None), in file "
          "order; None when there is none.")
      .def("packages", &Packages, anyType, py::arg("visible") = false,
           "The records of the given packages (all when none is given), package by package, then "
           "type by type (`type` alone when given), then by name: one per name (the first "
           "record of each). With visible=True, only the names that PCFG.list beside the TOC lists "
           "(all "
           "names when there is no such file). No limit on the count.")
      .def("superseding", ByName(SupersedingRecords), py::arg("name"), codeType,
           "The records of `type` (any when None) whose supersede list holds `name`, in file "
           "order.")
      .def("requiring", ByName(RequiringRecords), py::arg("name"), codeType,
           "The records of `type` (any when None) that list `name` as a prerequisite, in file "
           "order.")
      .def("conditionally_requiring", ByName(ConditionallyRequiringRecords), py::arg("name"),
           codeType,
           "The records of `type` (any when None) with a conditional prerequisite that requires "
           "`name` (when its condition is installed), in file order.");
}

}  // namespace

void AddTables(py::module_& module) {
  py::class_<ZOLINSToc, TocPtr> toc(
      module, "Toc",
      "A loaded TOC: the records of one TOC file and the levels they carry. Iterating gives "
      "the records in file order; toc[name] is the first record of that name (KeyError when "
      "none). The table lives as long as a record or plan taken from it.");
  toc.def(
         "__len__", [](const TocPtr& t) { return std::max(t->GetNbToc(), 0); },
         "The number of records.")
      .def(
          "__iter__", [](const TocPtr& t) { return py::iter(All(t)); },
          "The records in file order.")
      .def("__getitem__", &Item, py::arg("name"),
           "The first record named `name`, whatever its type; KeyError when there is none.")
      .def(
          "__contains__",
          [](const TocPtr& t, const py::object& name) {
            if (!py::isinstance<py::str>(name) && !py::isinstance<py::bytes>(name)) return false;
            return !Find(t, name, py::none()).is_none();
          },
          "Whether a record carries that name.")
      .def("__repr__", [](const TocPtr& t) {
        return py::str("<zoltoc.{} {!r}: {} records>")
            .format(py::type::handle_of(py::cast(t)).attr("__name__"), Decode(t->GetFileName()),
                    t->GetNbToc());
      });
  AddLevels(toc);
  AddQueries(toc);

  py::class_<ZOLINSMediaToc, ZOLINSToc, std::shared_ptr<ZOLINSMediaToc>>(
      module, "MediaToc", "The TOC of an installation medium: records with medium and order.")
      .def(py::init([](const py::object& path) { return LoadMedia(PathArg(path)); }),
           py::arg("path"), "Loads the media TOC file at `path`; LoadError when it does not load.");

  py::class_<ZOLINSInstToc, ZOLINSToc, std::shared_ptr<ZOLINSInstToc>>(
      module, "InstalledToc", "The TOC of what an installation holds, its control/PRESENT.")
      .def(py::init([](const py::object& path) { return LoadInstalled(PathArg(path)); }),
           py::arg("path"),
           "Loads `path`: a PRESENT file, or an installation root (its control/PRESENT); "
           "LoadError when it does not load.")
      .def(
          "is_installed",
          [](const std::shared_ptr<ZOLINSInstToc>& t, const py::object& name,
             const py::object& type) {
            const std::string wanted = NameArg(name);
            const ZOLINSType list = RequiredTypeArg(type);
            return WithLibrary([&] { return t->IsInstalled(wanted.c_str(), list) == 0; });
          },
          py::arg("name"), py::arg("type") = TypeOf(ZOLINS_CODE),
          "Whether `name` is installed as `type`. Type.UNKNOWNM asks whether installed code "
          "supersedes it, Type.UNKNOWNQ whether installed rux2 does, Type.SAMPLES whether it is "
          "installed samples or superseded by installed documentation.");
}

}  // namespace zolpy
