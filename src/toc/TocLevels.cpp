#include <cstring>

#include "ZOLINSToc.h"
#include "base/Message.h"
#include "toc/InfoMessage.h"
#include "toc/LevelScan.h"
#include "toc/TocState.h"

namespace {

ZOLUnicodeString OsMismatch(int line, const char* file, const char* expected, const char* found) {
  return zol::Message("SetOS.Error",
                      "ZOLINSToc::SetOS: Operating system mismatch on line number %d from "
                      "file %s:\n%s operating system expected, and %s operating system found\n",
                      line + 1, file, expected, found);
}

ZOLUnicodeString GaMismatch(int line, const char* file, const char* expected, const char* found) {
  return zol::Message("SetGALevel.Error",
                      "ZOLINSToc::SetGALevel:GA level mismatch on line number %d from file "
                      "%s:\n%s GA level expected, and %s GA level found\n",
                      line + 1, file, expected, found);
}

}  // namespace

int ZOLINSToc::SetOS(ZOLUnicodeString& message) {
  if (d_->nbToc < 1) return 1;
  std::memcpy(d_->os, Record(0).GetOS(), sizeof d_->os);
  for (int i = 1; i < d_->nbToc; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    // Only code is tied to the operating system; other types may carry another one.
    if (record.GetType() != ZOLINS_CODE || std::strcmp(record.GetOS(), d_->os) == 0) continue;
    message = OsMismatch(i, d_->fileName, d_->os, record.GetOS());
    return 0;
  }
  return 1;
}

int ZOLINSToc::SetGALevel(ZOLUnicodeString& message) {
  if (d_->nbToc < 1) return 1;
  std::memcpy(d_->gaLevel, Record(0).GetGALevel(), sizeof d_->gaLevel);
  for (int i = 1; i < d_->nbToc; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (std::strcmp(record.GetGALevel(), d_->gaLevel) == 0) continue;
    message = GaMismatch(i, d_->fileName, d_->gaLevel, record.GetGALevel());
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
  d_->spkLevel = d_->previousSpkLevel = 0;
  for (int i = 0; i < d_->nbToc; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    const ZOLINSPkg package = record.GetPackage();
    if ((package == ZOLINS_SPK || package == ZOLINS_HFX) && record.GetSPKLevel() > d_->spkLevel) {
      d_->previousSpkLevel = d_->spkLevel;
      d_->spkLevel = record.GetSPKLevel();
    }
  }
}

void ZOLINSToc::SetHFXLevel() {
  d_->hfxLevel = 0;
  for (int i = 0; i < d_->nbToc; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (record.GetPackage() == ZOLINS_HFX) d_->hfxLevel = record.GetHFXLevel();
  }
}

int ZOLINSToc::SetHFXName() {
  std::memset(d_->hfxName, 0, sizeof d_->hfxName);
  for (int i = 0; i < d_->nbToc; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (record.GetPackage() != ZOLINS_HFX) continue;
    std::memcpy(d_->hfxName, record.GetName(), sizeof d_->hfxName);
    break;
  }
  return 1;
}

int ZOLINSToc::SetLevels(ZOLUnicodeString& message) {
  const zol::LevelScan& scan = d_->levels;
  if (d_->nbToc < 1) return 1;
  const ZOLINSUnitToc& first = Record(0);
  std::memcpy(d_->os, first.GetOS(), sizeof d_->os);
  if (scan.osMismatch >= 0) {
    message = OsMismatch(scan.osMismatch, d_->fileName, d_->os, Record(scan.osMismatch).GetOS());
    return 0;
  }
  std::memcpy(d_->gaLevel, first.GetGALevel(), sizeof d_->gaLevel);
  if (scan.gaMismatch >= 0) {
    const char* found = Record(scan.gaMismatch).GetGALevel();
    message = GaMismatch(scan.gaMismatch, d_->fileName, d_->gaLevel, found);
    return 0;
  }
  d_->spkLevel = scan.spkLevel;
  d_->previousSpkLevel = scan.previousSpkLevel;
  d_->hfxLevel = scan.hfxLevel;
  std::memset(d_->hfxName, 0, sizeof d_->hfxName);
  if (scan.firstHfx >= 0)
    std::memcpy(d_->hfxName, Record(scan.firstHfx).GetName(), sizeof d_->hfxName);
  return 1;
}

void ZOLINSToc::SetTimestamp() {
  if (d_->nbToc > 0) Record(0).SetTimestamp();
}
