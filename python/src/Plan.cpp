// MediaToc.plan: the elements an install needs, in media order, with the total size.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "Enums.h"
#include "Errors.h"
#include "Library.h"
#include "Tables.h"
#include "Text.h"

namespace zolpy {
namespace {

using Names = std::unique_ptr<char[][ZOLINS_NAME_SIZE]>;

// What a planning call gave: the planned names, the total and what the library said.
struct Outcome {
  std::vector<std::string> names;
  unsigned long long total = 0;
  std::string messages;
  bool refused = false;
};

// An install plan as Python sees it.
struct Plan {
  std::shared_ptr<ZOLINSToc> media;
  std::vector<int> indexes;
  unsigned long long total;
  std::string messages;
  std::string mode;
  bool archive;
};

// The requested names as the library takes them; a name longer than 47 bytes is a ValueError
// (the library would cut it and plan another element).
Names NameArray(const std::vector<std::string>& names) {
  Names array(new char[names.size() + 1][ZOLINS_NAME_SIZE]());
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].size() >= ZOLINS_NAME_SIZE)
      throw py::value_error("element name longer than 47 bytes: " + names[i]);
    std::memcpy(array[i], names[i].c_str(), names[i].size() + 1);
  }
  return array;
}

// Takes over the array a planning call handed out.
void TakeNames(char (*planned)[ZOLINS_NAME_SIZE], unsigned int count, Outcome& outcome) {
  const Names owned(planned);
  for (unsigned int i = 0; planned && !outcome.refused && i < count; ++i)
    outcome.names.emplace_back(planned[i]);
}

Outcome General(ZOLINSMediaToc& media, ZOLINSInstToc* inst, const std::vector<std::string>& names,
                const Names& array, ZOLINSType type, bool archive, bool checkPrereqs) {
  unsigned int count = 0;
  char(*planned)[ZOLINS_NAME_SIZE] = nullptr;
  ZOLINSToc::sResetInfoMsg();
  media.SetPrereqCheck(checkPrereqs ? 1 : 0);
  const int total =
      media.GetSize(array.get(), static_cast<unsigned>(names.size()), type, archive ? 1 : 0, &count,
                    planned, inst, nullptr, nullptr, nullptr);
  media.SetPrereqCheck(0);
  Outcome outcome;
  outcome.messages = ZOLINSToc::sGetInfoMsg()->str();
  ZOLINSToc::sClearInfoMsg();
  outcome.refused = total == -1;
  outcome.total = outcome.refused ? 0 : static_cast<unsigned int>(total);
  TakeNames(planned, count, outcome);
  return outcome;
}

// The GA and service-pack plans, which answer all bits set both for a refusal and for nothing to
// install; only the message tells them apart.
Outcome GAOrServicePack(ZOLINSMediaToc& media, ZOLINSInstToc* inst,
                        const std::vector<std::string>& names, const Names& array, ZOLINSType type,
                        bool ga) {
  unsigned int count = 0;
  char(*planned)[ZOLINS_NAME_SIZE] = nullptr;
  ZOLUnicodeString msg;
  const unsigned long long total =
      ga ? media.GetSizeGA(array.get(), static_cast<unsigned>(names.size()), type, &count, planned,
                           msg, inst, nullptr)
         : media.GetSizeSPK(array[0], type, &count, planned, msg, inst, nullptr);
  Outcome outcome;
  outcome.messages = msg.str();
  const bool nothing = total == ~0ULL && count == 0 &&
                       outcome.messages.find("Nothing to install") != std::string::npos;
  outcome.refused = total == ~0ULL && !nothing;
  outcome.total = total == ~0ULL ? 0 : total;
  TakeNames(planned, count, outcome);
  return outcome;
}

Outcome HotFix(ZOLINSMediaToc& media, const std::vector<std::string>& names, const Names& array,
               ZOLINSType type) {
  Outcome outcome;
  if (media.GetIndex(array[0], type) < 0) {
    outcome.refused = true;
    outcome.messages = names[0] + " (" + ZOLINSTypeKeyword[type] + ") is not on the medium";
    return outcome;
  }
  ZOLUnicodeString unused;
  outcome.total = media.GetSizeHFX(array.get(), type, unused);
  outcome.names = names;
  return outcome;
}

}  // namespace

namespace {

struct Request {
  std::vector<std::string> names;
  std::string mode;
  ZOLINSType type;
  bool archive;
  bool checkPrereqs;
};

void Validate(const Request& request, const ZOLINSInstToc* inst) {
  const std::string& mode = request.mode;
  if (mode != "general" && mode != "ga" && mode != "spk" && mode != "hfx")
    throw py::value_error("mode is 'general', 'ga', 'spk' or 'hfx', not '" + mode + "'");
  if ((mode == "spk" || mode == "hfx") && request.names.size() != 1)
    throw py::value_error("a '" + mode + "' plan takes one name");
  if (mode == "spk" && !inst) throw py::value_error("a service-pack plan needs installed=");
  if (request.archive && mode != "general")
    throw py::value_error("archive sizes are planned in the 'general' mode only");
  if (request.checkPrereqs && mode != "general")
    throw py::value_error("check_prereqs applies to the 'general' mode only");
}

Outcome Run(ZOLINSMediaToc& media, ZOLINSInstToc* inst, const Request& r, const Names& array) {
  if (r.mode == "general")
    return General(media, inst, r.names, array, r.type, r.archive, r.checkPrereqs);
  if (r.mode == "hfx") return HotFix(media, r.names, array, r.type);
  return GAOrServicePack(media, inst, r.names, array, r.type, r.mode == "ga");
}

Plan MakePlan(const std::shared_ptr<ZOLINSMediaToc>& media, const py::object& names,
              const py::object& installed, const std::string& mode, bool archive,
              const py::object& type, bool checkPrereqs) {
  ZOLINSInstToc* inst = installed.is_none() ? nullptr : installed.cast<ZOLINSInstToc*>();
  const Request request{NameListArg(names), mode, RequiredTypeArg(type), archive, checkPrereqs};
  Validate(request, inst);
  const Names array = NameArray(request.names);
  Plan plan{media, {}, 0, {}, mode, archive};
  const bool refused = WithLibrary([&] {
    const Outcome outcome = Run(*media, inst, request, array);
    plan.total = outcome.total;
    plan.messages = outcome.messages;
    for (const std::string& name : outcome.names)
      plan.indexes.push_back(media->GetIndex(name.c_str(), request.type));
    return outcome.refused;
  });
  if (refused) {
    const std::string text = plan.messages.empty() ? "the plan was refused" : plan.messages;
    py::object error = MakeError(ErrorKind::Plan, text, media->GetFileName(), std::nullopt);
    error.attr("messages") = Decode(plan.messages);
    Raise(ErrorKind::Plan, error);
  }
  return plan;
}

}  // namespace

void AddPlan(py::module_& module) {
  py::class_<Plan>(module, "Plan",
                   "An install plan: the elements to install in media order and their total "
                   "size. Iterating gives the elements; it keeps its media TOC alive.")
      .def_property_readonly(
          "elements", [](const Plan& p) { return Records(p.media, p.indexes); },
          "The records to install, by ascending order number on the media.")
      .def_property_readonly(
          "names",
          [](const Plan& p) {
            py::list names;
            for (int i : p.indexes) names.append(Decode(p.media->GetIiemeUnitToc(i)->GetName()));
            return names;
          },
          "The names of the elements, in the same order.")
      .def_property_readonly(
          "total", [](const Plan& p) { return p.total; },
          "The total size: file-system units (plus 400 for code in the 'general' mode), or "
          "kilobytes of archives with archive=True.")
      .def_property_readonly(
          "messages", [](const Plan& p) { return Decode(p.messages); },
          "What the library said while planning (for instance the elements already installed).")
      .def_property_readonly(
          "mode", [](const Plan& p) { return p.mode; }, "The planning mode.")
      .def_property_readonly(
          "archive", [](const Plan& p) { return p.archive; }, "Whether archives were sized.")
      .def(
          "__len__", [](const Plan& p) { return p.indexes.size(); }, "The number of elements.")
      .def(
          "__iter__", [](const Plan& p) { return py::iter(Records(p.media, p.indexes)); },
          "The elements in media order.")
      .def("__repr__", [](const Plan& p) {
        return py::str("<zoltoc.Plan {} elements, total {}>").format(p.indexes.size(), p.total);
      });
  auto media = py::reinterpret_borrow<py::object>(module.attr("MediaToc"));
  py::cpp_function plan(
      &MakePlan, py::name("plan"), py::is_method(media), py::arg("names"), py::kw_only(),
      py::arg("installed") = py::none(), py::arg("mode") = "general", py::arg("archive") = false,
      py::arg("type") = TypeOf(ZOLINS_CODE), py::arg("check_prereqs") = false,
      "Plans installing `names` (a name or an iterable of names) from this medium over the "
      "InstalledToc `installed` (None: nothing installed). mode: 'general' (prerequisites and "
      "conditional prerequisites, already installed and obsolete elements left out, the medium "
      "checked against the installation), 'ga' (plain prerequisites only), 'spk' (one service "
      "pack and the fix sets it brings; needs installed=) or 'hfx' (one hot fix). archive=True "
      "sizes the archives to copy; check_prereqs=True refuses requested elements whose first "
      "prerequisite is not installed. Returns a Plan; raises PlanError when the library refuses.");
  media.attr("plan") = plan;
}

}  // namespace zolpy
