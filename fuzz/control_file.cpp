// A control file under a level-2 check: a small installation whose element APP has the input as
// its control file.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "ZOLINSInstToc.h"

namespace {

const char kPresent[] =
    "code:FWK:BASEFWK::::1200:20261201090000:linux:R1:0:Base framework:300 40 :\n"
    "code:PRD:APP::BASEFWK ::2400:20261201090000:linux:R1:0:Application:500 80 :\n";

const std::string& Tree() {
  static const std::string root = [] {
    const std::string dir = zolfuzz::ScratchDir() + "/check";
    zolfuzz::WriteFile(dir + "/control/PRESENT", kPresent);
    zolfuzz::WriteFile(dir + "/control/BASEFWK", "./control/BASEFWK\n./lib/libbase.so 2003\n");
    zolfuzz::WriteFile(dir + "/lib/libbase.so", std::string(20, 'd'));
    zolfuzz::WriteFile(dir + "/bin/app", "#!/bin/sh\necho app\n");
    zolfuzz::WriteFile(dir + "/share/msgcatalog/Japanese/app.msg", "x\n");
    zolfuzz::WriteFile(dir + "/NLS.txt", "French\nJapanese\n");
    return dir;
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolfuzz::ResetLibraryState();
  std::string present = Tree() + "/control/PRESENT";
  zolfuzz::WriteFile(Tree() + "/control/APP", zolfuzz::AsText(data, size));
  auto inst = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString msg;
  if (inst->InitInst(&present[0], msg) != 1) return 0;
  ZOLUnicodeString report;
  inst->CheckIntegrity(report, Tree().c_str(), 2, 0);
  inst->CheckIntegrity(report, Tree().c_str(), 2, 1);
  return 0;
}
