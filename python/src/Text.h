#ifndef ZOLTOC_PY_TEXT_H
#define ZOLTOC_PY_TEXT_H

#include <string>
#include <string_view>
#include <vector>

#include <pybind11/pybind11.h>

namespace zolpy {

namespace py = pybind11;

// TOC files are bytes. Texts go to Python as str decoded from UTF-8 with "surrogateescape", so
// that bytes that are not UTF-8 survive a round trip: os.fsencode() or
// s.encode("utf-8", "surrogateescape") gives them back.
py::str Decode(std::string_view text);

// An element name from str (encoded as Decode decodes) or bytes; a NUL in it is a ValueError.
std::string NameArg(const py::handle& name);
// One name (str or bytes), or an iterable of names.
std::vector<std::string> NameListArg(const py::handle& names);
// A path from str, bytes or os.PathLike, in the file-system encoding; NUL is a ValueError.
std::string PathArg(const py::handle& path);

// The library's messages end in line feeds; exceptions and findings carry them without.
std::string Trimmed(std::string text);

}  // namespace zolpy

#endif
