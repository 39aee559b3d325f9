#include <memory>
#include <new>
#include <string>

#include "ZOLINSQuery.h"
#include "base/Message.h"
#include "installed/PresentPath.h"
#include "installed/QueryState.h"

int ZOLIsInstalled(const char* name, const char* installPath) {
  if (!name) return -1;
  zol::QueryState& state = zol::Queries();
  if (installPath) {
    state.instTocToLoad = 1;
    state.cachedInstToc.reset();
  }
  if (state.instTocToLoad == 1) {
    const ZOLUnicodeString path = zol::GetPresentFilePath(installPath, "ZOLIsInstalled");
    if (path.GetLengthInChar() == 0) return -1;
    // A table whose load failed is dropped: the next call loads again.
    std::unique_ptr<ZOLINSInstToc> toc(new (std::nothrow) ZOLINSInstToc);
    std::string copy = path.str();
    ZOLUnicodeString msg;
    if (!toc || toc->InitInst(&copy[0], msg) == -1) {
      zol::PrintMessage(msg);
      return -1;
    }
    state.cachedInstToc = std::move(toc);
    state.instTocToLoad = 0;
  }
  if (!state.cachedInstToc) return -1;
  return state.cachedInstToc->IsInstalled(name, ZOLINS_CODE) == 0 ? 1 : 0;
}
