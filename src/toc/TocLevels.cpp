#include <cstring>

#include "ZOLINSToc.h"
#include "base/Message.h"
#include "toc/InfoMessage.h"

int ZOLINSToc::SetOS(ZOLUnicodeString& message) {
  if (nbToc_ < 1) return 1;
  std::memcpy(os_, Record(0).GetOS(), sizeof os_);
  for (int i = 1; i < nbToc_; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    // Only code is tied to the operating system; other types may carry another one.
    if (record.GetType() != ZOLINS_CODE || std::strcmp(record.GetOS(), os_) == 0) continue;
    message =
        zol::Message("SetOS.Error",
                     "ZOLINSToc::SetOS: Operating system mismatch on line number %d from "
                     "file %s:\n%s operating system expected, and %s operating system found\n",
                     i + 1, fileName_, os_, record.GetOS());
    return 0;
  }
  return 1;
}

int ZOLINSToc::SetGALevel(ZOLUnicodeString& message) {
  if (nbToc_ < 1) return 1;
  std::memcpy(gaLevel_, Record(0).GetGALevel(), sizeof gaLevel_);
  for (int i = 1; i < nbToc_; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (std::strcmp(record.GetGALevel(), gaLevel_) == 0) continue;
    message = zol::Message("SetGALevel.Error",
                           "ZOLINSToc::SetGALevel:GA level mismatch on line number %d from file "
                           "%s:\n%s GA level expected, and %s GA level found\n",
                           i + 1, fileName_, gaLevel_, record.GetGALevel());
    return 0;
  }
  return 1;
}

int ZOLINSToc::SetOS() {
  ZOLUnicodeString message;
  const int result = SetOS(message);
  if (result == 0) zol::AppendInfo(message);
  return result;
}

int ZOLINSToc::SetGALevel() {
  ZOLUnicodeString message;
  const int result = SetGALevel(message);
  if (result == 0) zol::AppendInfo(message);
  return result;
}

void ZOLINSToc::SetSPKLevel() {
  spkLevel_ = previousSpkLevel_ = 0;
  for (int i = 0; i < nbToc_; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    const ZOLINSPkg package = record.GetPackage();
    if ((package == ZOLINS_SPK || package == ZOLINS_HFX) && record.GetSPKLevel() > spkLevel_) {
      previousSpkLevel_ = spkLevel_;
      spkLevel_ = record.GetSPKLevel();
    }
  }
}

void ZOLINSToc::SetHFXLevel() {
  hfxLevel_ = 0;
  for (int i = 0; i < nbToc_; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (record.GetPackage() == ZOLINS_HFX) hfxLevel_ = record.GetHFXLevel();
  }
}

int ZOLINSToc::SetHFXName() {
  std::memset(hfxName_, 0, sizeof hfxName_);
  for (int i = 0; i < nbToc_; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (record.GetPackage() != ZOLINS_HFX) continue;
    std::memcpy(hfxName_, record.GetName(), sizeof hfxName_);
    break;
  }
  return 1;
}

void ZOLINSToc::SetTimestamp() {
  if (nbToc_ > 0) Record(0).SetTimestamp();
}
