#ifndef ZOLINS_TOC_LEVEL_SCAN_H
#define ZOLINS_TOC_LEVEL_SCAN_H

#include "ZOLINSUnitToc.h"

namespace zol {

// A table's levels gathered record by record while its lines are parsed, each record while it is
// still in the cache: deriving them afterwards took five passes over tens of megabytes of records.
// Gives what SetOS, SetGALevel, SetSPKLevel, SetHFXLevel and SetHFXName find on the same records.
class LevelScan {
 public:
  // Takes the record of line `line`; lines come in file order from 0.
  void Add(int line, const ZOLINSUnitToc& record);

  int osMismatch = -1;  // the first code line whose OS is not line 0's, or -1
  int gaMismatch = -1;  // the first line whose GA level is not line 0's, or -1
  int spkLevel = 0;
  int previousSpkLevel = 0;
  int hfxLevel = 0;   // of the last HFX record
  int firstHfx = -1;  // the line of the first HFX record, or -1

 private:
  char os_[8] = "";
  char gaLevel_[8] = "";
};

}  // namespace zol

#endif
