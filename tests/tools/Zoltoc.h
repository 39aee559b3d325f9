#ifndef ZOLINS_TESTS_TOOLS_ZOLTOC_H
#define ZOLINS_TESTS_TOOLS_ZOLTOC_H

#include <string>
#include <vector>

#include "support/Process.h"

namespace zoltest {

// The bundled example medium and installation.
inline const std::string kExamples = ZOLINS_EXAMPLES_DIR;
inline const std::string kMedia = kExamples + "/medium/MEDIA.TOC";
inline const std::string kInstall = kExamples + "/installation";

// Runs the tool with `arguments`, standard input from /dev/null.
inline ProcessResult Zoltoc(const std::vector<std::string>& arguments) {
  return RunProcess(ZOLTOC_PATH, arguments);
}

}  // namespace zoltest

#endif
