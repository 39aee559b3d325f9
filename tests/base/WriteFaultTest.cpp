// Each system call of each rewrite fails in turn: the target then holds exactly its old or new
// content, with its mode, and no temporary file is left unless its removal failed too.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "ZOLCheckSum.h"
#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "ZOLINSPresent.h"
#include "base/SystemCalls.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;
using zoltest::ReadFile;

// Fails call number `at` (over all calls of the table), or every call from there on when `sticky`,
// with `error`; an `error` of 0 is a short write, which only applies to write(2).
struct Fault {
  int at = -1;
  int error = 0;
  bool sticky = false;
};

Fault fault;
int calls = 0;
bool removalFailed = false;

// Whether this call fails.
bool Hit(bool isWrite = false) {
  const int n = calls++;
  if (fault.at < 0 || (fault.error == 0 && !isWrite)) return false;
  if (!(fault.sticky ? n >= fault.at : n == fault.at)) return false;
  errno = fault.error;
  return true;
}

const zol::SystemCalls& Real() {
  return zol::RealSystemCalls();
}

const zol::SystemCalls kFaulty = {
    [](const char* p, int f, mode_t m) { return Hit() ? -1 : Real().open(p, f, m); },
    [](int fd, const void* d, std::size_t n) -> ssize_t {
      if (!Hit(true)) return Real().write(fd, d, n);
      if (fault.error == 0) return Real().write(fd, d, n > 1 ? n / 2 : n);
      return -1;
    },
    [](int fd) { return Hit() ? -1 : Real().fsync(fd); },
    [](int fd, mode_t m) { return Hit() ? -1 : Real().fchmod(fd, m); },
    [](int fd, uid_t u, gid_t g) { return Hit() ? -1 : Real().fchown(fd, u, g); },
    [](const char* a, const char* b) { return Hit() ? -1 : Real().rename(a, b); },
    [](const char* p) {
      if (!Hit()) return Real().unlink(p);
      removalFailed = true;
      return -1;
    },
    // A failed close still releases the descriptor, as close(2) does on Linux.
    [](int fd) { return Hit() ? (Real().close(fd), -1) : Real().close(fd); },
    [](const char* p, struct stat* s) { return Hit() ? -1 : Real().lstat(p, s); },
    [](const char* p, char* b, std::size_t n) -> ssize_t {
      return Hit() ? -1 : Real().readlink(p, b, n);
    },
    [](int fd, int op) { return Hit() ? -1 : Real().flock(fd, op); },
};

mode_t ModeOf(const std::string& path) {
  struct stat info = {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::set<std::string> Entries(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.insert(entry.path().filename());
  names.erase(".zolins.lock");  // the lock stays
  return names;
}

void Put(const std::string& path, const std::string& content, mode_t mode) {
  zoltest::MakeDirs(path.substr(0, path.rfind('/')));
  zoltest::WriteFile(path, content);
  ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

// The target is put back to its old content and mode before each run; `run` rewrites it and says
// if it succeeded.
struct Rewrite {
  std::string target, oldContent, newContent;
  mode_t mode;
  std::function<bool()> run;
};

// Runs the rewrite once per call it makes and per fault kind, singly and sticky.
void InjectEveryFault(const Rewrite& rewrite) {
  const std::string dir = rewrite.target.substr(0, rewrite.target.rfind('/'));
  Put(rewrite.target, rewrite.oldContent, rewrite.mode);
  const std::set<std::string> before = Entries(dir);
  calls = 0;
  zol::Sys() = kFaulty;
  fault = Fault();  // none: count the calls
  ASSERT_TRUE(rewrite.run());
  ASSERT_EQ(ReadFile(rewrite.target), rewrite.newContent);
  const int total = calls;
  ASSERT_GT(total, 3);
  for (int error : {ENOSPC, EIO, EACCES, 0}) {
    for (bool sticky : {false, true}) {
      for (int at = 0; at < total; ++at) {
        SCOPED_TRACE("call " + std::to_string(at) + " of " + std::to_string(total) + ", errno " +
                     std::to_string(error) + (sticky ? ", sticky" : ""));
        Put(rewrite.target, rewrite.oldContent, rewrite.mode);
        fault = Fault{at, error, sticky};
        calls = 0;
        removalFailed = false;
        bool ok = false;
        zoltest::CaptureStderr([&] { ok = rewrite.run(); });
        const std::string now = ReadFile(rewrite.target);
        EXPECT_TRUE(now == rewrite.oldContent || now == rewrite.newContent) << now;
        EXPECT_EQ(ok, now == rewrite.newContent);
        EXPECT_EQ(ModeOf(rewrite.target), rewrite.mode);
        if (!removalFailed) {
          EXPECT_EQ(Entries(dir), before);
          continue;
        }
        for (const std::string& name : Entries(dir))  // the excepted leftover, for the next run
          if (!before.count(name)) ::unlink((dir + "/" + name).c_str());
      }
    }
  }
  zol::Sys() = Real();
}

class WriteFaults : public ::testing::Test {
 protected:
  void TearDown() override { zol::Sys() = Real(); }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::TempDir dir;
};

TEST_F(WriteFaults, UpdatePresent) {
  const std::string present = dir / "control/PRESENT";
  const std::string other = dir.Write("OTHER", zoltest::TocText({E("A"), E("B"), E("C")}));
  const std::string old = zoltest::TocText({E("A")});
  auto table = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString message;
  std::string path = other;
  ASSERT_EQ(table->InitInst(&path[0], message), 1) << message.str();
  InjectEveryFault({present, old, ReadFile(other), 0640,
                    [&] { return table->UpdatePresent(present.c_str(), message) == 1; }});
}

TEST_F(WriteFaults, AppendOfARecord) {
  const std::string present = dir / "control/PRESENT";
  const std::string old = zoltest::TocText({E("A")}) + E("B").Line();  // no final line feed
  const std::string toc = dir.Write("MEDIA.TOC", E("NEW").MediaLine("A", 3, 1) + "\n");
  InjectEveryFault({present, old, old + "\n" + E("NEW").Line() + "\n", 0604, [&] {
                      char name[] = "NEW";
                      return UpdatePresentFromToc(toc.c_str(), name, present.c_str(), nullptr) == 0;
                    }});
}

TEST_F(WriteFaults, DocumentationProductCompletion) {
  const E doc = E("X.prd").Type("documentation").Pkg("PDO");
  const std::string present = dir / "control/PRESENT";
  const std::string old = zoltest::TocText({E("A"), E(doc).Prereq("D1 ")});
  const std::string toc =
      dir.Write("MEDIA.TOC", E(doc).Prereq("D1 D2").MediaLine("A", 3, 1) + "\n");
  auto media = std::make_unique<ZOLINSMediaToc>();
  ZOLUnicodeString message;
  std::string tocPath = toc;
  ASSERT_EQ(media->InitMedia(&tocPath[0], message), 1) << message.str();
  Put(present, old, 0640);
  ASSERT_EQ(SetDocPresentFile(present.c_str()), 0);  // this test runs as a process of its own
  InjectEveryFault({present, old, zoltest::TocText({E("A"), E(doc).Prereq("D1 D2 ")}), 0640, [&] {
                      char name[] = "X.prd";
                      return UpdatePresentFromToc(toc.c_str(), name, present.c_str(),
                                                  media.get()) == 0;
                    }});
}

TEST_F(WriteFaults, ControlFileInPlaceAndToASeparateFile) {
  dir.Write("bin/x", "ab");  // checksum 97 + 98
  const std::string list = dir / "control/E";
  const std::string old = "./control/E\n./bin/x\n";
  const std::string control = "./control/E\n./bin/x 195\n";
  InjectEveryFault(
      {list, old, control, 0444, [&] { return ZOLAddCheckSum(list.c_str(), list.c_str()) == 1; }});

  const std::string separate = dir / "control/F";
  const std::string separateList = dir / "F.list";  // no own line: paths are relative to its dir
  Put(separateList, "./bin/x\n", 0644);
  InjectEveryFault({separate, "stale\n", "./bin/x 195\n", 0600,
                    [&] { return ZOLAddCheckSum(separateList.c_str(), separate.c_str()) == 1; }});
}

}  // namespace
