#ifndef ZOLINS_INSTALLED_PRESENT_PATH_H
#define ZOLINS_INSTALLED_PRESENT_PATH_H

#include "ZOLUnicodeString.h"

namespace zol {

// The PRESENT file of the first root of `installPath` (null: of ZOLInstallPath) that has one; an
// empty entry ends the list of roots. The empty string, after printing why (naming `entryName`,
// the entry point being run), when there is none.
ZOLUnicodeString GetPresentFilePath(const char* installPath, const char* entryName);

}  // namespace zol

#endif
