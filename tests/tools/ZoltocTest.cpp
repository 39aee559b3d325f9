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

// The exit status (2 for usage errors and unreadable input, 1 for refusals and findings), what the
// message names and the text output. The JSON of the show and plan commands on the example is
// compared with the Python module's answers in tests/python/test_example.py.
TEST(Zoltoc, ExitStatusMessageAndTextOutput) {
  TempDir dir;
  const std::string bad =
      dir.Write("BAD.TOC", "A:3:0:code:PRD:X::::0::::0:L:\nA:4:0:code:FIX:Y::::0::::0:L:\n");
  const std::vector<std::string> plan = {"plan", "--media", kMedia, "--install", kInstall};
  auto with = [](std::vector<std::string> arguments, std::vector<std::string> more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
  };
  const struct {
    int status;
    std::vector<std::string> arguments;
    std::string said;
    std::string out = "";
  } cases[] = {
      {2, {}, ""},
      {0,
       {"packages", "--install", kInstall, "--package", "PRD"},
       "",
       "PRD  code          EDITOR                   Model editor\n"},
      {0,
       {"plan", "--media", kMedia, "--archive", "VIEWER"},
       "",
       "BASEFWK                  medium A  order    3  archive bytes 921600\n"
       "GUIFWK                   medium A  order    4  archive bytes 691200\n"
       "VIEWER                   medium B  order   15  archive bytes 460800\n"
       "3 element(s), total 2026 kilobytes of archives\n"},
      {2, {"levels", "--bogus"}, "--bogus"},
      {2, {"packages", "--media", kMedia, "--package", "XYZ"}, "XYZ"},
      {2,
       {"levels", "--media", bad},
       "line number 2 from " + bad + " failed\nzoltoc: ZOLINSUnitToc: unknown package: FIX"},
      {1, {"element", "NOPE", "--install", kInstall}, "NOPE"},
      {1, with(plan, {"NOPE", "ANALYZER"}), "NOPE code is not found on the media"},
      {2, {"plan", "--mode", "spk", "--media", kMedia, "ZOLSP.1"}, "needs --install"},
      {1,
       {"plan", "--media", kMedia, "--check-prereqs", "BASEFWK", "VIEWER"},
       kMedia + ": VIEWER (code) refused",
       "BASEFWK                  medium A  order    3  size 1200\n"
       "1 element(s), total 1600 file-system units\n"},
      // An installed element: a GA plan refuses it, a general one has nothing to install.
      {1, with(plan, {"--mode", "ga", "EDITOR"}), kMedia + ": no plan made for the elements asked"},
      {0, with(plan, {"EDITOR"}), "Nothing to install",
       "0 element(s), total 0 file-system units\n"},
      {0,
       {"check", "--install", kInstall},
       "",
       kInstall + ": sound (7 elements, 15 files, level 2)\n"},
      {2, {"check", "--install", kInstall, "--readers", "0"}, "--readers"},
      {2, {"check", "--install", kInstall, "--level", "3"}, "--level"},
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

  const json hub = Parsed(Zoltoc({"element", "HUB", "--media", media, "--json"}), 0);
  ASSERT_EQ(hub["requiredBy"].size(), static_cast<std::size_t>(n));
  EXPECT_EQ(hub["requiredBy"][n - 1], "P14999");
}

TEST(Zoltoc, RefusedPlansListTheRefused) {
  const json refused =
      Parsed(Zoltoc({"plan", "--media", kMedia, "--check-prereqs", "VIEWER", "--json"}), 1);
  EXPECT_EQ(refused["refused"], json{"VIEWER"});
  EXPECT_FALSE(refused["ok"].get<bool>());
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
