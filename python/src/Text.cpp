#include "Text.h"

#include <cstring>

namespace zolpy {

py::str Decode(std::string_view text) {
  PyObject* decoded =
      PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
  if (!decoded) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(decoded);
}

namespace {

std::string WithoutNul(const py::bytes& bytes, const char* what) {
  std::string text = bytes;
  if (text.find('\0') != std::string::npos)
    throw py::value_error(std::string(what) + " holds a NUL character");
  return text;
}

}  // namespace

std::string NameArg(const py::handle& name) {
  if (py::isinstance<py::bytes>(name))
    return WithoutNul(py::reinterpret_borrow<py::bytes>(name), "name");
  if (!py::isinstance<py::str>(name))
    throw py::type_error("an element name is a str or bytes, not " +
                         std::string(py::str(py::type::handle_of(name).attr("__name__"))));
  PyObject* encoded = PyUnicode_AsEncodedString(name.ptr(), "utf-8", "surrogateescape");
  if (!encoded) throw py::error_already_set();
  return WithoutNul(py::reinterpret_steal<py::bytes>(encoded), "name");
}

std::vector<std::string> NameListArg(const py::handle& names) {
  if (py::isinstance<py::str>(names) || py::isinstance<py::bytes>(names)) return {NameArg(names)};
  std::vector<std::string> out;
  for (const py::handle& name : names) out.push_back(NameArg(name));
  return out;
}

std::string PathArg(const py::handle& path) {
  PyObject* encoded = nullptr;
  if (!PyUnicode_FSConverter(path.ptr(), &encoded)) throw py::error_already_set();
  // The converter already refuses embedded NUL characters.
  return py::reinterpret_steal<py::bytes>(encoded);
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace zolpy
