// A file list turned into a control file by ZOLAddCheckSum, written to a separate output file.
// The list lies in a small tree whose files it may name.
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzSupport.h"
#include "ZOLCheckSum.h"

namespace {

const std::string& Tree() {
  static const std::string root = [] {
    const std::string dir = zolfuzz::ScratchDir() + "/list";
    zolfuzz::WriteFile(dir + "/bin/app", "#!/bin/sh\necho app\n");
    zolfuzz::WriteFile(dir + "/share/app/empty", "");
    zolfuzz::WriteFile(dir + "/share/app/data.txt", std::string(5000, 'x'));
    zolfuzz::WriteFile(dir + "/out/.keep", "");
    return dir;
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolfuzz::ResetLibraryState();
  const std::string list = Tree() + "/control/APP";
  const std::string control = Tree() + "/out/APP";
  zolfuzz::WriteFile(list, zolfuzz::AsText(data, size));
  std::remove(control.c_str());
  ZOLAddCheckSum(list.c_str(), control.c_str());
  return 0;
}
