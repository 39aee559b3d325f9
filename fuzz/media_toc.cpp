// A media TOC loaded, then planned against a small installation: the install set of its first
// element.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"

namespace {

const char kPresent[] =
    "code:FWK:BASEFWK::::1200:20261201090000:linux:R1:0:Base framework:300 40 :\n"
    "code:PRD:EDITOR::BASEFWK ::2400:20261201090000:linux:R1:0:Model editor:500 80 :\n";

// The installation planned against, loaded once: planning does not change it.
ZOLINSInstToc& Installed() {
  static ZOLINSInstToc* inst = [] {
    const std::string path = zolfuzz::ScratchDir() + "/inst/control/PRESENT";
    zolfuzz::WriteFile(path, kPresent);
    auto* toc = new ZOLINSInstToc;
    ZOLUnicodeString msg;
    std::string copy = path;
    if (toc->InitInst(&copy[0], msg) != 1) std::abort();
    return toc;
  }();
  return *inst;
}

void PlanFirstElement(ZOLINSMediaToc& media) {
  ZOLINSUnitToc* first = media.GetIiemeUnitToc(0);
  if (!first) return;
  char names[1][ZOLINS_NAME_SIZE] = {};
  std::strncpy(names[0], first->GetName(), ZOLINS_NAME_SIZE - 1);
  unsigned int count = 0;
  unsigned int nbMet = 0;
  char(*out)[ZOLINS_NAME_SIZE] = nullptr;
  char* ids = nullptr;
  char** met = nullptr;
  media.GetSize(names, 1, first->GetType(), 0, &count, out, &Installed(), &ids, &nbMet, &met);
  delete[] out;
  delete[] ids;
  for (unsigned int i = 0; met && i < nbMet; ++i) std::free(met[i]);
  std::free(met);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolfuzz::ResetLibraryState();
  ZOLINSToc::sResetInfoMsg();  // planning appends its messages to oMsg
  std::string path = zolfuzz::ScratchDir() + "/medium/MEDIA.TOC";
  zolfuzz::WriteFile(path, zolfuzz::AsText(data, size));
  auto media = std::make_unique<ZOLINSMediaToc>();
  ZOLUnicodeString msg;
  if (media->InitMedia(&path[0], msg) == 1) PlanFirstElement(*media);
  ZOLINSToc::sClearInfoMsg();
  return 0;
}
