#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "ZOLINSIntegrity.h"
#include "support/InstallTree.h"

namespace {
// Called with every path the process passes to access(2), while set.
std::function<void(const char*)> accessHook;
}  // namespace

// This test program's own access(2): it lets a test act at an exact point of an integrity check
// (the check looks for every control file and listed file with access), then answers as the
// system call does. Without a hook it changes nothing.
extern "C" int access(const char* path, int mode) noexcept {
  if (accessHook) accessHook(path);
  return ::faccessat(AT_FDCWD, path, mode, 0);
}

namespace {

using zoltest::Check;
using zoltest::E;
using zoltest::RunInChild;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Three elements whose listed files are all missing, a framework that nothing requires and a
// missing prerequisite; B's second file is where the tests interrupt.
class Interrupt : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.Control("A", {"./control/A", "./bin/a-missing"});
    tree.Control("B", {"./control/B", "./bin/trigger", "./bin/b-missing"});
    tree.Control("C", {"./control/C", "./bin/c-missing"});
    tree.Control("F", {"./control/F"});
  }
  std::string NotFound(const std::string& relative) const {
    return tree / relative + ": file not found, possible trouble in case of removal";
  }
  std::unique_ptr<ZOLINSInstToc> Load() const {
    return tree.Load({E("A"), E("B"), E("C").Prereq("NOPE"), E("F").Pkg("FWK")});
  }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::ScopedEnv noSkipList{"ZOLReffilesPath", nullptr};
  zoltest::InstallTree tree;
  const std::string alone = "F: alone framework (no PRD or SLT prereqs it)";
  const std::string interrupted = "CheckIntegrity has been interrupted (signal 2)";
};

TEST_F(Interrupt, StopsBeforeTheNextElementAndStaysCaught) {
  const int rc = RunInChild([&] {
    auto toc = Load();
    accessHook = [](const char* path) {
      if (EndsWith(path, "/bin/trigger")) ::kill(::getpid(), SIGINT);
    };
    const auto first = Check(*toc, tree.root().c_str(), 1);
    EXPECT_EQ(_i_SignalIntercept_KillProcess, 1);
    EXPECT_EQ(_i_SignalIntercept_SignalNum, SIGINT);
    // B is finished, C is not begun, the prerequisite check does not run.
    EXPECT_EQ(first.report, alone + NotFound("bin/a-missing") + NotFound("bin/trigger") +
                                NotFound("bin/b-missing") + interrupted);
    EXPECT_EQ(first.status, 0);

    int looked = 0;
    accessHook = [&looked](const char*) { ++looked; };
    const auto second = Check(*toc, tree.root().c_str(), 1);
    EXPECT_EQ(second.report, alone + interrupted);
    EXPECT_EQ(looked, 1);  // the control directory's PCFG.list, no element
    return 0;
  });
  EXPECT_EQ(rc, 0);
}

TEST_F(Interrupt, InterruptedCheckOfASoundTreeKeepsItsStatus) {
  const int rc = RunInChild([&] {
    tree.Control("A2", {"./control/A2"});
    auto toc = tree.Load({E("A"), E("A2")});
    accessHook = [](const char* path) {
      if (EndsWith(path, "/control/A")) ::kill(::getpid(), SIGINT);
    };
    const auto result = Check(*toc, tree.root().c_str(), 0);
    EXPECT_EQ(result.report, interrupted);
    EXPECT_EQ(result.status, 1);
    ZOLUnicodeString report;
    EXPECT_EQ(CheckInterrupt(report), 1);
    EXPECT_EQ(CheckInterrupt(report), 1);
    EXPECT_EQ(report.str(), interrupted + interrupted);
    return 0;
  });
  EXPECT_EQ(rc, 0);
}

TEST_F(Interrupt, SecondSignalEndsTheProcess) {
  const int rc = RunInChild([&] {
    auto toc = Load();
    accessHook = [](const char* path) {
      if (!EndsWith(path, "/bin/trigger")) return;
      ::kill(::getpid(), SIGINT);
      ::kill(::getpid(), SIGINT);
    };
    Check(*toc, tree.root().c_str(), 1);
    return 3;  // not reached
  });
  EXPECT_EQ(rc, 128 + SIGINT);
}

TEST_F(Interrupt, CaughtBeforeACheckStopsItAtOnce) {
  const int rc = RunInChild([&] {
    auto toc = Load();
    std::signal(SIGINT, SignalIntercept);
    ::raise(SIGINT);
    const auto result = Check(*toc, nullptr, 1);
    // Without a root only the dependency checks run; the prerequisite one is skipped.
    EXPECT_EQ(result.report, alone);
    EXPECT_EQ(Check(*toc, tree.root().c_str(), 1).report, alone + interrupted);
    return 0;
  });
  EXPECT_EQ(rc, 0);
}

}  // namespace
