#include "toc/LevelScan.h"

#include <cstring>

namespace zol {

void LevelScan::Add(int line, const ZOLINSUnitToc& record) {
  if (line == 0) {
    std::memcpy(os_, record.GetOS(), sizeof os_);
    std::memcpy(gaLevel_, record.GetGALevel(), sizeof gaLevel_);
  } else {
    // Only code is tied to the operating system; other types may carry another one.
    if (osMismatch < 0 && record.GetType() == ZOLINS_CODE && std::strcmp(record.GetOS(), os_) != 0)
      osMismatch = line;
    if (gaMismatch < 0 && std::strcmp(record.GetGALevel(), gaLevel_) != 0) gaMismatch = line;
  }
  const ZOLINSPkg package = record.GetPackage();
  if (package != ZOLINS_SPK && package != ZOLINS_HFX) return;
  if (record.GetSPKLevel() > spkLevel) {
    previousSpkLevel = spkLevel;
    spkLevel = record.GetSPKLevel();
  }
  if (package != ZOLINS_HFX) return;
  hfxLevel = record.GetHFXLevel();
  if (firstHfx < 0) firstHfx = line;
}

}  // namespace zol
