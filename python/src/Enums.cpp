#include "Enums.h"

#include <cctype>
#include <string>

namespace zolpy {
namespace {

// Kept for the life of the process: released at exit, they would outlive the interpreter.
py::object& TypeClass() {
  static auto* type = new py::object;
  return *type;
}

py::object& PackageClass() {
  static auto* package = new py::object;
  return *package;
}

// An IntEnum whose members are the keywords (upper-cased) with their values.
py::object MakeEnum(const char* name, const char* const* keywords, int count, const char* doc) {
  py::list members;
  for (int value = 0; value < count; ++value) {
    std::string member = keywords[value];
    for (char& c : member) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    members.append(py::make_tuple(member, value));
  }
  py::object made =
      py::module_::import("enum").attr("IntEnum")(name, members, py::arg("module") = "zoltoc");
  made.attr("__doc__") = doc;
  return made;
}

int EnumValue(const py::handle& value, int count, const char* what) {
  if (!py::isinstance<py::int_>(value))
    throw py::type_error(std::string(what) + " must be a zoltoc." + what + " or an int");
  const int number = value.cast<int>();
  if (number < 0 || number >= count)
    throw py::value_error("no " + std::string(what) + " has the value " + std::to_string(number));
  return number;
}

}  // namespace

void AddEnums(py::module_& module) {
  TypeClass() = MakeEnum(
      "Type", ZOLINSTypeKeyword, 6,
      "The code kind of an element: CODE, RUX2 (a second code kind, kept apart from code), "
      "DOCUMENTATION, SAMPLES; UNKNOWNM is carried by no element and UNKNOWNQ is never on a line.");
  PackageClass() = MakeEnum(
      "Package", ZOLINSPkgKeyword, 10,
      "The element kind: FWK framework, GRP group, PRD product, PDO documentation object, SLT "
      "solution, FIX fix, FSP fix set, SPK service pack, HFX hot fix, SMP samples.");
  module.attr("Type") = TypeClass();
  module.attr("Package") = PackageClass();
}

py::object TypeOf(int type) {
  return TypeClass()(type);
}

py::object PackageOf(int package) {
  return PackageClass()(package);
}

std::optional<ZOLINSType> TypeArg(const py::handle& type) {
  if (type.is_none()) return std::nullopt;
  return static_cast<ZOLINSType>(EnumValue(type, 6, "Type"));
}

ZOLINSType RequiredTypeArg(const py::handle& type) {
  return static_cast<ZOLINSType>(EnumValue(type, 6, "Type"));
}

ZOLINSPkg PackageArg(const py::handle& package) {
  return static_cast<ZOLINSPkg>(EnumValue(package, 10, "Package"));
}

}  // namespace zolpy
