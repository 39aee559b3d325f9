#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "support/TocBuilder.h"
#include "tools/Zoltoc.h"

namespace zoltest {
namespace {

// Usage errors and unreadable input exit with 2, refusals and findings with 1; the message names
// what failed.
TEST(Zoltoc, ExitStatusesAndWhatTheMessageNames) {
  TempDir dir;
  const std::string bad =
      dir.Write("BAD.TOC", "A:3:0:code:PRD:X::::0::::0:L:\nA:4:0:code:FIX:Y::::0::::0:L:\n");
  const std::vector<std::string> plan = {"plan", "--media", kMedia, "--install", kInstall};
  auto with = [](std::vector<std::string> arguments, std::vector<std::string> more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
  };
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string said;
    std::string out = "";
  } cases[] = {
      {{}, 2, ""},
      {{"levels", "--bogus"}, 2, "--bogus"},
      {{"packages", "--media", kMedia, "--package", "XYZ"}, 2, "XYZ"},
      {{"levels", "--media", bad},
       2,
       "line number 2 from " + bad + " failed\nzoltoc: ZOLINSUnitToc: unknown package: FIX"},
      {{"element", "NOPE", "--install", kInstall}, 1, "NOPE"},
      {with(plan, {"NOPE", "ANALYZER"}), 1, "NOPE code is not found on the media"},
      {{"plan", "--mode", "spk", "--media", kMedia, "ZOLSP.1"}, 2, "needs --install"},
      {{"plan", "--media", kMedia, "--check-prereqs", "BASEFWK", "VIEWER"},
       1,
       kMedia + ": VIEWER (code) refused",
       "BASEFWK                  medium A  order    3  size 1200\n"
       "1 element(s), total 1600 file-system units\n"},
      // An installed element: a GA plan refuses it, a general one has nothing to install.
      {with(plan, {"--mode", "ga", "EDITOR"}), 1, kMedia + ": no plan made for the elements asked"},
      {with(plan, {"EDITOR"}), 0, "Nothing to install",
       "0 element(s), total 0 file-system units\n"},
      {{"check", "--install", kInstall},
       0,
       "",
       kInstall + ": sound (7 elements, 15 files, level 2)\n"},
      {{"check", "--install", kInstall, "--readers", "0"}, 2, "--readers"},
      {{"check", "--install", kInstall, "--level", "3"}, 2, "--level"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    const ProcessResult result = Zoltoc(c.arguments);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
    EXPECT_EQ(result.out, c.out);
  }
  EXPECT_EQ(Zoltoc({"--version"}).out, std::string("zoltoc ") + ZOLINS_VERSION + "\n");
}

// The JSON of packages, element, levels and plan on the example is compared with the Python
// module's answers in tests/python/test_example.py; the text output is checked here.
TEST(Zoltoc, TextOutputOfPackagesAndPlans) {
  const ProcessResult text = Zoltoc({"packages", "--install", kInstall, "--package", "PRD"});
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("EDITOR"), std::string::npos);
  EXPECT_EQ(text.out.find("ANALYZER"), std::string::npos);
  const ProcessResult archive = Zoltoc({"plan", "--media", kMedia, "--archive", "VIEWER"});
  EXPECT_NE(archive.out.find("BASEFWK                  medium A  order    3  archive bytes 921600"),
            std::string::npos)
      << archive.out;
}

// The listings do not stop at the 4096 entries of the library's result containers.
TEST(Zoltoc, PackagesAndElementListEveryResult) {
  TempDir dir;
  const int n = 5000;
  std::string text = E("HUB").Pkg("FWK").MediaLine("A", 3, 1) + "\n";
  for (int i = 0; i < n; ++i)
    text += E("P" + std::to_string(10000 + i)).Prereq("HUB").MediaLine("A", i + 4, 1) + "\n";
  const std::string media = dir.Write("MEDIA.TOC", text);
  const ProcessResult packages = Zoltoc({"packages", "--media", media, "--package", "PRD"});
  ASSERT_EQ(packages.status, 0) << packages.err;
  EXPECT_EQ(std::count(packages.out.begin(), packages.out.end(), '\n'), n);
  EXPECT_NE(packages.out.find("P14999"), std::string::npos);

  const json hub = Json(Zoltoc({"element", "HUB", "--media", media, "--json"}));
  ASSERT_EQ(hub["requiredBy"].size(), static_cast<std::size_t>(n));
  EXPECT_EQ(hub["requiredBy"][n - 1], "P14999");
}

TEST(Zoltoc, RecordAppendsToPresent) {
  InstallCopy copy;
  const json result =
      Json(Zoltoc({"record", "--media", kMedia, "--install", copy.root(), "NETFWK", "--json"}));
  EXPECT_EQ(result["recorded"], json{"NETFWK"});
  const std::string present = ReadFile(copy.root() + "/control/PRESENT");
  EXPECT_NE(present.find("\ncode:FWK:NETFWK::BASEFWK ::700:"), std::string::npos);
  const ProcessResult missing =
      Zoltoc({"record", "--media", kMedia, "--install", copy.root(), "NOPE"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no line for this element"), std::string::npos);
}

TEST(Zoltoc, RefusedPlansListTheRefused) {
  const ProcessResult refused =
      Zoltoc({"plan", "--media", kMedia, "--check-prereqs", "VIEWER", "--json"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(Parsed(refused)["refused"], json{"VIEWER"});
  EXPECT_FALSE(Parsed(refused)["ok"].get<bool>());
}

TEST(Zoltoc, CheckFindsChangedAndMissingFiles) {
  InstallCopy copy;
  WriteFile(copy.root() + "/bin/editor", "changed\n");
  ASSERT_EQ(std::remove((copy.root() + "/lib/libgui.so.txt").c_str()), 0);
  const ProcessResult text = Zoltoc({"check", "--install", copy.root()});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out, copy.root() +
                          "/lib/libgui.so.txt: file not found, possible trouble in case "
                          "of removal\n" +
                          copy.root() + "/bin/editor: CheckSum mismatch. Bad or modified file\n" +
                          copy.root() + ": errors found (7 elements, 15 files, level 2)\n");
  for (const char* readers : {"1", "3"})
    EXPECT_EQ(Zoltoc({"check", "--install", copy.root(), "--readers", readers}).out, text.out);
  const ProcessResult levelOne = Zoltoc({"check", "--install", copy.root(), "--level", "1"});
  EXPECT_EQ(levelOne.out.find("CheckSum"), std::string::npos);
}

// An interrupted check looked at only part of the tree: it never exits as a sound one. The SIGINT
// comes while the check reads a huge (sparse) file, which it then gives up.
TEST(Zoltoc, InterruptedCheckDoesNotExitZero) {
  InstallCopy copy;
  const std::string huge = copy.root() + "/bin/huge";
  WriteFile(huge, "");
  ASSERT_EQ(::truncate(huge.c_str(), off_t(1) << 38), 0);
  WriteFile(copy.root() + "/control/BASEFWK",
            ReadFile(copy.root() + "/control/BASEFWK") + "./bin/huge 1\n");
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(20);
    std::freopen("/dev/null", "w", stdout);
    ::execl(ZOLTOC_PATH, ZOLTOC_PATH, "check", "--install", copy.root().c_str(), "-q", nullptr);
    ::_exit(127);
  }
  const std::string fds = "/proc/" + std::to_string(child) + "/fd";
  auto reading = [&] {
    std::error_code ignored;
    for (const auto& fd : std::filesystem::directory_iterator(fds, ignored)) {
      if (std::filesystem::read_symlink(fd.path(), ignored) == huge) return true;
    }
    return false;
  };
  const auto start = std::chrono::steady_clock::now();
  while (!reading() && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ::kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
}  // namespace zoltest
