// A PRESENT file with its PCFG.list: the input up to a line "PCFG.list" is PRESENT, what follows
// that line is PCFG.list (none without the line). Loaded as an installed TOC, queried, and read by
// the plain query functions.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "ZOLINSInstToc.h"
#include "ZOLINSQuery.h"

namespace {

constexpr std::string_view kSeparator = "\nPCFG.list\n";

void Query(ZOLINSInstToc& inst) {
  for (int i = 0; i < inst.GetNbToc(); ++i) {
    ZOLINSUnitToc* record = inst.GetIiemeUnitToc(i);
    inst.IsInstalled(record->GetName(), record->GetType());
    inst.IsVisible(record->GetName());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolfuzz::ResetLibraryState();
  const std::string_view input = zolfuzz::AsText(data, size);
  const std::size_t split = input.find(kSeparator);
  const std::string root = zolfuzz::ScratchDir() + "/present";
  std::string path = root + "/control/PRESENT";
  std::remove((root + "/control/PCFG.list").c_str());
  zolfuzz::WriteFile(path, input.substr(0, split == std::string_view::npos ? split : split + 1));
  if (split != std::string_view::npos)
    zolfuzz::WriteFile(root + "/control/PCFG.list", input.substr(split + kSeparator.size()));

  auto inst = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString msg;
  if (inst->InitInst(&path[0], msg) == 1) Query(*inst);
  ZOLGetGALevel(root.c_str());
  ZOLGetSPKLevel(root.c_str());
  ZOLGetHFXLevel(root.c_str());
  ZOLIsInstalled("EDITOR", root.c_str());
  return 0;
}
