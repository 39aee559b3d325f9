#ifndef ZOLINS_INSTALLED_INSTALLED_LEVELS_H
#define ZOLINS_INSTALLED_INSTALLED_LEVELS_H

namespace zol {

// Reads the GA, SPK and HFX levels from PRESENT into Queries() unless they were read already and
// `installPath` is null. Failures are printed, naming `entryName`, and keep the levels as they
// were.
void LoadInstalledLevels(const char* installPath, const char* entryName);

}  // namespace zol

#endif
