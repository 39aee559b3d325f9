// zoltoc.record and zoltoc.checksum: writing PRESENT and control files.
#include <string>
#include <vector>

#include "Errors.h"
#include "Library.h"
#include "Tables.h"
#include "Text.h"
#include "ZOLCheckSum.h"
#include "ZOLFile.h"
#include "ZOLINSPresent.h"
#include "installed/RecordFailure.h"

namespace zolpy {
namespace {

struct Failure {
  std::string name;
  int code;
};

py::list RecordInstalled(const std::shared_ptr<ZOLINSMediaToc>& media, const py::object& root,
                         const py::object& names) {
  const std::string present = PresentPath(PathArg(root));
  const std::vector<std::string> wanted = NameListArg(names);
  std::vector<Failure> failures;
  std::vector<std::string> recorded;
  const bool loaded = WithLibrary([&] {
    // Documentation products already recorded are completed rather than recorded twice.
    if (ZOLFileAccess(present.c_str(), 0) == 0 && SetDocPresentFile(present.c_str()) != 0)
      return false;
    for (std::string name : wanted) {
      name.resize(std::min<std::size_t>(name.size(), ZOLINS_NAME_SIZE - 1));
      const int code =
          UpdatePresentFromToc(media->GetFileName(), &name[0], present.c_str(), media.get());
      if (code == 0)
        recorded.push_back(name);
      else
        failures.push_back({name, code});
    }
    return true;
  });
  if (!loaded)
    Raise(ErrorKind::Load,
          MakeError(ErrorKind::Load, present + ": does not load (the library printed why)", present,
                    std::nullopt));
  py::list done;
  for (const std::string& name : recorded) done.append(Decode(name));
  if (failures.empty()) return done;
  py::list failed;
  std::string message = present + ":";
  for (const Failure& f : failures) {
    failed.append(py::make_tuple(Decode(f.name), f.code, zol::RecordFailureReason(f.code)));
    message += " " + f.name + ": " + zol::RecordFailureReason(f.code) + " (" +
               std::to_string(f.code) + ");";
  }
  message.pop_back();
  py::object error = MakeError(ErrorKind::Record, message, present, std::nullopt);
  error.attr("recorded") = done;
  error.attr("failures") = failed;
  Raise(ErrorKind::Record, error);
}

py::str Checksum(const py::object& list, const py::object& output) {
  const std::string listPath = PathArg(list);
  const std::string control = output.is_none() ? listPath : PathArg(output);
  const int written =
      WithLibrary([&] { return ZOLAddCheckSum(listPath.c_str(), control.c_str()); });
  if (written == 1) return Decode(control);
  const std::string message =
      written == -1
          ? listPath + ": cannot be examined, or a line carries a checksum that is not a number"
          : control + ": not written from " + listPath + " (the library printed why)";
  Raise(ErrorKind::Checksum,
        MakeError(ErrorKind::Checksum, message, written == -1 ? listPath : control, std::nullopt));
}

}  // namespace

void AddControl(py::module_& module) {
  module.def("record", &RecordInstalled, py::arg("media"), py::arg("root"), py::arg("names"),
             "Records `names` (a name or an iterable of names), installed from the MediaToc "
             "`media`, in the PRESENT file of the installation `root` (or in `root` itself when "
             "it is a file): each element's line is appended, and documentation products "
             "already recorded get the prerequisites the medium adds. An installer's last step, "
             "after copying the files and writing the control file. Returns the recorded names; "
             "raises RecordError (with `recorded` and `failures`) when some could not be.");
  module.def("checksum", &Checksum, py::arg("list_path"), py::arg("output") = py::none(),
             "Writes the control file `output` (default: `list_path` itself, rewritten) from the "
             "file list `list_path` (one ./path per line), each listed file followed by its "
             "checksum. Returns the control file's path; raises ChecksumError.");
}

}  // namespace zolpy
