// zoltoc lists every result, however many: its listings do not stop at the 4096 entries of the
// library's result containers.
#include <string>

#include <gtest/gtest.h>

#include "support/Process.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

TEST(ZoltocUnbounded, PackagesAndElementListEveryResult) {
  zoltest::TempDir dir;
  const int n = 5000;
  std::string text = zoltest::E("HUB").Pkg("FWK").MediaLine("A", 3, 1) + "\n";
  for (int i = 0; i < n; ++i)
    text +=
        zoltest::E("P" + std::to_string(10000 + i)).Prereq("HUB").MediaLine("A", i + 4, 1) + "\n";
  const std::string media = dir.Write("MEDIA.TOC", text);

  const zoltest::ProcessResult packages =
      zoltest::RunProcess(ZOLTOC_PATH, {"packages", "--media", media, "--package", "PRD"});
  ASSERT_EQ(packages.status, 0) << packages.err;
  std::size_t lines = 0;
  for (char c : packages.out) lines += c == '\n';
  EXPECT_EQ(lines, static_cast<std::size_t>(n));
  EXPECT_NE(packages.out.find("P14999"), std::string::npos);

  const zoltest::ProcessResult element =
      zoltest::RunProcess(ZOLTOC_PATH, {"element", "HUB", "--media", media});
  ASSERT_EQ(element.status, 0) << element.err;
  const std::size_t requiredBy = element.out.find("required by:");
  ASSERT_NE(requiredBy, std::string::npos);
  const std::string line =
      element.out.substr(requiredBy, element.out.find('\n', requiredBy) - requiredBy);
  std::size_t names = 0;
  for (char c : line) names += c == ' ';
  EXPECT_GE(names, static_cast<std::size_t>(n));  // "required by:" and its padding, then n names
  EXPECT_NE(line.find("P14999"), std::string::npos);
}

}  // namespace
