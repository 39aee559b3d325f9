// zoltoc.Record: one element of a TOC, read-only.
#include <cstdint>
#include <string>

#include <pybind11/stl.h>

#include "Enums.h"
#include "Library.h"
#include "Tables.h"
#include "Text.h"

namespace zolpy {

const ZOLINSPrefixToc* Record::Prefix() const {
  const auto* media = dynamic_cast<const ZOLINSMediaToc*>(table.get());
  return media ? media->GetIiemePrefixToc(index) : nullptr;
}

py::list Records(const std::shared_ptr<ZOLINSToc>& table, const std::vector<int>& indexes) {
  py::list out;
  for (int index : indexes) out.append(py::cast(Record{table, index}));
  return out;
}

namespace {

// A record's name list, read with its count and entry getters, as a tuple of texts.
template <int (ZOLINSUnitToc::*Count)() const, char* (ZOLINSUnitToc::*Entry)(int) const>
py::tuple Names(const Record& record) {
  const ZOLINSUnitToc& unit = record.Unit();
  py::tuple out((unit.*Count)());
  for (int i = 0; i < (unit.*Count)(); ++i) out[i] = Decode((unit.*Entry)(i));
  return out;
}

// A text field of the record.
template <const char* (ZOLINSUnitToc::*Field)() const>
py::str Text(const Record& record) {
  return Decode((record.Unit().*Field)());
}

// A number field of the record.
template <auto Field>
auto Number(const Record& record) {
  return (record.Unit().*Field)();
}

py::tuple Ifreqs(const ZOLINSUnitToc& unit) {
  py::tuple out(unit.GetNbIfreq());
  for (int i = 0; i < unit.GetNbIfreq(); ++i)
    out[i] = py::make_tuple(Decode(unit.GetIfreq(i)->GetPL()), Decode(unit.GetIfreq(i)->GetUB()));
  return out;
}

py::tuple LangSizes(const ZOLINSUnitToc& unit) {
  py::tuple out(unit.GetNbLangSize());
  for (int i = 0; i < unit.GetNbLangSize(); ++i) out[i] = unit.GetLangSize(i);
  return out;
}

py::str Line(const Record& record) {
  ZOLUnicodeString line, unused;
  WithLibrary(
      [&] { return record.table->GetIiemeUnitToc(record.index)->WriteLineToc(line, unused); });
  return Decode(line.str());
}

py::str Repr(const Record& r) {
  const ZOLINSUnitToc& u = r.Unit();
  return Decode("<zoltoc.Record " + std::string(u.GetName()) + " " +
                ZOLINSTypeKeyword[u.GetType()] + " " + ZOLINSPkgKeyword[u.GetPackage()] + ">");
}

// Medium fields of a media record, None for an installed one.
template <typename Field>
py::object MediaField(const Record& record, Field field) {
  const ZOLINSPrefixToc* prefix = record.Prefix();
  return prefix ? py::object(field(*prefix)) : py::object(py::none());
}

void AddMediaFields(py::class_<Record>& cls) {
  cls.def_property_readonly(
         "medium",
         [](const Record& r) {
           return MediaField(r, [](const ZOLINSPrefixToc& p) {
             return Decode(p.GetMedia() ? std::string(1, p.GetMedia()) : std::string());
           });
         },
         "The medium that holds the element (one character, '' when the field is empty); None "
         "for an installed element.")
      .def_property_readonly(
          "order",
          [](const Record& r) {
            return MediaField(r, [](const ZOLINSPrefixToc& p) { return py::int_(p.GetOrder()); });
          },
          "The element's order number on the media; None for an installed element.")
      .def_property_readonly(
          "archive_size",
          [](const Record& r) {
            return MediaField(r, [](const ZOLINSPrefixToc& p) { return py::int_(p.GetSizeCaf()); });
          },
          "The size of the element's archive on the medium; None for an installed element.");
}

}  // namespace

namespace {

void AddLists(py::class_<Record>& cls) {
  cls.def_property_readonly("supersedes",
                            &Names<&ZOLINSUnitToc::GetNbSupersede, &ZOLINSUnitToc::GetSupersede>,
                            "The names of the elements this one supersedes.")
      .def_property_readonly("prereqs",
                             &Names<&ZOLINSUnitToc::GetNbPrereq, &ZOLINSUnitToc::GetPrereq>,
                             "The names of the element's prerequisites.")
      .def_property_readonly(
          "ifreqs", [](const Record& r) { return Ifreqs(r.Unit()); },
          "The conditional prerequisites as (condition, required) pairs: when `condition` is "
          "installed, `required` is needed with this element.")
      .def_property_readonly(
          "lang_sizes", [](const Record& r) { return LangSizes(r.Unit()); },
          "The per-language sizes.");
}

void AddLevels(py::class_<Record>& cls) {
  cls.def_property_readonly("size", &Number<&ZOLINSUnitToc::GetSizefs>,
                            "The element's file-system size.")
      .def_property_readonly("timestamp", &Text<&ZOLINSUnitToc::GetTimestamp>,
                             "The timestamp field (YYYYMMDDhhmmss).")
      .def_property_readonly("os", &Text<&ZOLINSUnitToc::GetOS>, "The operating-system code.")
      .def_property_readonly("ga_level", &Text<&ZOLINSUnitToc::GetGALevel>, "The GA level.")
      .def_property_readonly("spk_level", &Number<&ZOLINSUnitToc::GetSPKLevel>,
                             "The service-pack level.")
      .def_property_readonly(
          "max_spk_level", &Number<&ZOLINSUnitToc::GetMaxSPKLevel>,
          "The highest installed service-pack level (an installed framework's is raised to that "
          "of its fix sets).")
      .def_property_readonly("hfx_level", &Number<&ZOLINSUnitToc::GetHFXLevel>,
                             "The hot-fix level.");
}

}  // namespace

void AddRecord(py::module_& module) {
  py::class_<Record> cls(module, "Record",
                         "One element of a TOC, read-only. It keeps its table alive. Texts are str "
                         "decoded from UTF-8 with 'surrogateescape'.");
  cls.def_property_readonly("name", &Text<&ZOLINSUnitToc::GetName>, "The element name.")
      .def_property_readonly(
          "type", [](const Record& r) { return TypeOf(r.Unit().GetType()); },
          "The code kind, a zoltoc.Type.")
      .def_property_readonly(
          "package", [](const Record& r) { return PackageOf(r.Unit().GetPackage()); },
          "The element kind, a zoltoc.Package.")
      .def_property_readonly(
          "label",
          [](const Record& r) {
            const char* label = r.Unit().GetLabel();
            return Decode(label ? label : "");
          },
          "The element's label.")
      .def_property_readonly(
          "index", [](const Record& r) { return r.index; }, "The position in its table, from 0.")
      .def_property_readonly("line", &Line, "The record written back as a TOC line.")
      .def("__repr__", &Repr)
      .def("__eq__",
           [](const Record& a, const py::object& other) -> py::object {
             if (!py::isinstance<Record>(other))
               return py::reinterpret_borrow<py::object>(Py_NotImplemented);
             const Record& b = other.cast<const Record&>();
             return py::bool_(a.table == b.table && a.index == b.index);
           })
      .def("__hash__", [](const Record& r) {
        return py::hash(py::make_tuple(reinterpret_cast<std::uintptr_t>(r.table.get()), r.index));
      });
  AddLists(cls);
  AddLevels(cls);
  AddMediaFields(cls);
}

}  // namespace zolpy
