#include "foundation/Names.h"
#include "ZOLINSTypes.h"

const char* const ZOLINSTypeKeyword[6] = {"code",     "rux2",     "documentation",
                                          "unknownM", "unknownQ", "samples"};
const char* const ZOLINSPkgKeyword[10] = {"FWK", "GRP", "PRD", "PDO", "SLT",
                                          "FIX", "FSP", "SPK", "HFX", "SMP"};

namespace zol {

const char* TypeKeyword(int type) {
  return type >= 0 && type < 6 ? ZOLINSTypeKeyword[type] : "";
}

const char* PackageKeyword(int package) {
  return package >= 0 && package < 10 ? ZOLINSPkgKeyword[package] : "";
}

}  // namespace zol
