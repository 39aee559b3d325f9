#ifndef ZOLINS_INTEGRITY_CONTROL_LOOKUP_H
#define ZOLINS_INTEGRITY_CONTROL_LOOKUP_H

#include <string>
#include <string_view>

#include "ZOLINSInstToc.h"
#include "integrity/ControlFile.h"

namespace zol {

// The number of the newest service-pack control file of the elements of base name `base`: the
// base element's highest SPK level when it is installed, else how many of base.1, base.2... are
// installed one after the other.
int ServicePackMax(const ZOLINSInstToc& toc, const std::string& base, ZOLINSType kind);

// The text an element is checked from: its own control file `ownPath` when it is not service
// packed (IsServicePacked), else the merged text of `controlDir`base.spkMax and `controlDir`base.
ControlRead ReadElementControl(const ZOLINSInstToc& toc, const std::string& ownPath,
                               std::string_view controlDir, std::string_view base, int spkLevel,
                               int spkMax, ZOLINSType kind);

}  // namespace zol

#endif
