#ifndef ZOLINS_TESTS_TOOLS_ZOLTOC_H
#define ZOLINS_TESTS_TOOLS_ZOLTOC_H

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/Process.h"
#include "support/TestSupport.h"

namespace zoltest {

using nlohmann::json;

// The bundled example medium and installation.
inline const std::string kExamples = ZOLINS_EXAMPLES_DIR;
inline const std::string kMedia = kExamples + "/medium/MEDIA.TOC";
inline const std::string kInstall = kExamples + "/installation";

// Runs the tool with `arguments`, standard input from /dev/null.
inline ProcessResult Zoltoc(const std::vector<std::string>& arguments) {
  return RunProcess(ZOLTOC_PATH, arguments);
}

// The JSON document a run printed. A run that aborts, prints bad JSON or (when `status` is given)
// exits with another status fails the test.
inline json Parsed(const ProcessResult& result, int status = -1) {
  EXPECT_TRUE(status < 0 ? result.status < 3 : result.status == status) << result.err;
  const json document = json::parse(result.out, nullptr, false);
  EXPECT_FALSE(document.is_discarded()) << result.out;
  return document;
}

// A copy of the example installation that a test may change.
struct InstallCopy {
  InstallCopy() { EXPECT_EQ(std::system(("cp -r " + kInstall + " " + dir.path()).c_str()), 0); }
  std::string root() const { return dir / "installation"; }
  TempDir dir;
};

}  // namespace zoltest

#endif
