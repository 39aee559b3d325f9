// Checks of trees that vanish under the check or hold files it must not block on or read to the
// end, and a real SIGINT.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSCheckProgress.h"
#include "ZOLINSInstToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;

const std::string kNotFound = ": file not found, possible trouble in case of removal";
std::string vanishing;  // a directory the progress observer removes at its first call

// An installation in a temporary directory, with the control files a test writes.
struct Tree {
  void Present(const std::vector<E>& records) const {
    std::string text;
    for (const E& e : records) text += e.Line() + "\n";
    dir.Write("control/PRESENT", text);
    dir.Write("control/PCFG.list", "");
  }
  void Control(const std::string& name, const std::string& text) const {
    dir.Write("control/" + name, text);
  }
  // The report of a check at level 2; the status goes to *status when given.
  std::string Check(int* status = nullptr) const {
    ZOLINSInstToc toc;
    std::string present = dir / "control/PRESENT";
    ZOLUnicodeString message, report;
    EXPECT_EQ(toc.InitInst(&present[0], message), 1) << message.str();
    const int result = toc.CheckIntegrity(report, dir.path().c_str(), 2, 0);
    if (status) *status = result;
    return report.str();
  }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::TempDir dir;
};

// A file of `size` bytes below `dir` that takes no room: its bytes are all 0, its checksum 0.
void Sparse(const zoltest::TempDir& dir, const std::string& relative, off_t size) {
  ASSERT_EQ(::truncate(dir.Write(relative, "").c_str(), size), 0);
}

// Whether process `pid` has `path` open.
bool HasOpen(pid_t pid, const std::string& path) {
  const std::string fds = "/proc/" + std::to_string(pid) + "/fd/";
  for (int fd = 0; fd < 64; ++fd) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink((fds + std::to_string(fd)).c_str(), target, sizeof target);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == path) return true;
  }
  return false;
}

// A real SIGINT while the check reads a huge file, with the walk reading alone and with threads.
TEST(HostileTree, SigintStopsTheReadOfAHugeFile) {
  Tree tree;
  tree.Present({E("A"), E("B")});
  Sparse(tree.dir, "bin/huge", off_t(1) << 38);
  tree.Control("A", "./control/A\n./bin/huge 1\n./bin/gone-a\n");
  tree.Control("B", "./control/B\n./bin/gone-b\n");
  for (const char* readers : {"1", "4"}) {
    SCOPED_TRACE(readers);
    zoltest::ScopedEnv env("ZOL_CHECK_READERS", readers);
    const std::string reportPath = tree.dir / "report";
    const pid_t child = ::fork();
    if (child == 0) {
      ::alarm(20);
      zoltest::WriteFile(reportPath, tree.Check());
      ::_exit(0);
    }
    const auto start = std::chrono::steady_clock::now();
    while (!HasOpen(child, tree.dir / "bin/huge") &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    // The huge file is given up (neither bad nor unreadable), the rest of its element is checked,
    // and the walk stops before the next one.
    EXPECT_EQ(zoltest::ReadFile(reportPath), tree.dir / "bin/gone-a" + kNotFound +
                                                 "CheckIntegrity has been interrupted (signal 2)");
  }
}

// What a check tells its caller: the report, the status, and every call of the observers.
struct Outcome {
  std::string report;
  int status = -1;
  std::vector<std::string> calls;
};

// A tree of every kind of listed file, checked by the walk alone and by 2 and 8 reading threads:
// the outcomes are the same. Element V's files vanish when the check reports its first element.
TEST(HostileTree, ReadersChangeNothingThatIsReported) {
  std::vector<E> records = {E("A"), E("V"), E("X.1").Pkg("SPK").Spk(1), E("X.2").Pkg("SPK").Spk(2)};
  const Tree tree;
  zoltest::MakeDirs(tree.dir / "bin/dir");
  ASSERT_EQ(::symlink("nowhere", (tree.dir / "bin/dangling").c_str()), 0);
  for (const char* fifo : {"bin/fifo", "bin/quiet-fifo"})
    ASSERT_EQ(::mkfifo((tree.dir / fifo).c_str(), 0600), 0);
  Sparse(tree.dir, "bin/sparse", off_t(1) << 27);
  // A file listed without a checksum is only looked for: the quiet FIFO is never opened.
  tree.Control("A",
               "./control/A\n./bin/missing 5\n./bin/dangling 5\n./bin/dir 5\n./bin/fifo 5\n"
               "./bin/quiet-fifo\n./bin/sparse 5\n./bin/zero 0\n");
  tree.Control("X.1", "./control/X.1\n");
  tree.Control("X.2", "./control/X.2\n./x/new 1\n");
  tree.dir.Write("x/new", "\x01");  // sums to 1: taken as unreadable
  std::string controlV = "./control/V\n";
  for (int e = 0; e < 60; ++e) {
    const std::string name = "E" + std::to_string(e);
    records.push_back(E(name));
    std::string control = "./control/" + name + "\n";
    for (int f = 0; f < 30; ++f) {
      const std::string listed = "e/" + name + "/" + std::to_string(f);
      tree.dir.Write(listed, std::string(static_cast<std::size_t>(f * 97 % 5000), 'a'));
      control += "./" + listed + " " + std::to_string((f * 97 % 5000) * 97 + (f % 7 == 0)) + "\n";
    }
    tree.Control(name, control);
    controlV += "./v/" + std::to_string(e) + " 1\n";
  }
  tree.Control("V", controlV);
  tree.Present(records);

  auto check = [&](const char* readers) {
    zoltest::ScopedEnv env("ZOL_CHECK_READERS", readers);
    for (int e = 0; e < 60; ++e) tree.dir.Write("v/" + std::to_string(e), "x");
    Outcome outcome;
    ZOLINSSetCheckObserver(
        [](const ZOLINSCheckProgress* p, void* context) {
          auto& calls = static_cast<Outcome*>(context)->calls;
          if (calls.empty()) std::filesystem::remove_all(vanishing);
          calls.push_back(std::to_string(p->element) + " " + (p->name ? p->name : "-") + " " +
                          std::to_string(p->files) + " " + std::to_string(p->bytes));
        },
        [](const char* entry, void* context) {
          static_cast<Outcome*>(context)->calls.push_back(entry);
        },
        &outcome);
    vanishing = tree.dir / "v";
    outcome.report = tree.Check(&outcome.status);
    ZOLINSSetCheckObserver(nullptr, nullptr, nullptr);
    return outcome;
  };
  ::alarm(60);  // a check blocked on a FIFO ends the test
  const Outcome alone = check("1");
  EXPECT_NE(alone.report.find("/bin/fifo: unable to open this file in reading mode"),
            std::string::npos)
      << alone.report;
  EXPECT_EQ(alone.report.find("/bin/quiet-fifo"), std::string::npos) << alone.report;
  EXPECT_NE(alone.report.find("/v/0" + kNotFound), std::string::npos) << alone.report;
  for (const char* readers : {"2", "8"}) {
    SCOPED_TRACE(readers);
    const Outcome other = check(readers);
    EXPECT_EQ(other.report, alone.report);
    EXPECT_EQ(other.status, alone.status);
    EXPECT_EQ(other.calls, alone.calls);
  }
  ::alarm(0);
}

}  // namespace
