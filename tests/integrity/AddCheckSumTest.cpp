#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "ZOLCheckSum.h"
#include "support/Process.h"
#include "support/TestSupport.h"

namespace {

using zoltest::ReadFile;
using zoltest::ScopedEnv;
using zoltest::TempDir;

std::string CannotSum(const std::string& path) {
  return path +
         " : unable to open this file in reading mode, check permissions mode ; CheckSum not "
         "calculated\n\n";
}

std::string NoControl(const std::string& path, const std::string& mode) {
  return path + " : unable to open this file in " + mode +
         " mode, check permissions mode ; new control file not created\n\n";
}

unsigned Mode(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The names in `directory`, hidden ones aside: a left-over temporary file shows here.
std::set<std::string> Entries(const std::string& directory) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    if (entry.path().filename().native()[0] != '.') names.insert(entry.path().filename());
  return names;
}

class AddCheckSum : public ::testing::Test {
 protected:
  // Runs ZOLAddCheckSum and keeps what it printed in `err`.
  int Add(const std::string& list, const std::string& control) {
    int result = 0;
    err = zoltest::CaptureStderr([&] { result = ZOLAddCheckSum(list.c_str(), control.c_str()); });
    return result;
  }

  // Writes the list `relative` (with the permission bits `mode`, when given) and rewrites it in
  // place; returns "<result>:<the list afterwards>|<what was printed>".
  std::string AddInPlace(const std::string& relative, const std::string& content,
                         unsigned mode = 0) {
    const std::string list = dir.Write(relative, content);
    if (mode != 0 && ::chmod(list.c_str(), mode) != 0) return "chmod failed";
    const int result = Add(list, list);
    return std::to_string(result) + ":" + ReadFile(list) + "|" + err;
  }

  ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  TempDir dir;
  std::string err;
};

TEST_F(AddCheckSum, OwnLineClimbsFromTheControlDirectoryAndWithoutOneTheListDirectoryIsTheBase) {
  dir.Write("r/bin/x", "ab");
  dir.Write("r/bin/one", "\x01");  // sums to the value that means "unreadable"
  const std::string content = "./control/E\n./bin/x\n./bin/gone\n./bin/one\n";
  const std::string list = dir.Write("r/control/E", content);
  ASSERT_EQ(Add(list, dir / "r/control/E.new"), 1);
  EXPECT_EQ(ReadFile(dir / "r/control/E.new"), "./control/E\n./bin/x 195\n./bin/gone\n./bin/one\n");
  EXPECT_EQ(err,
            CannotSum(dir / "r/control/.././bin/gone") + CannotSum(dir / "r/control/.././bin/one"));
  EXPECT_EQ(ReadFile(list), content);

  dir.Write("r/f", "\x04");
  dir.Write("r/a/control/g", "\x02");
  EXPECT_EQ(AddInPlace("r/a/control/E", "./f\n./a/control/E 9\n"), "1:./f 4\n./a/control/E 9\n|");
  // "control/L" has one "/" only and "./x/L" no control directory: neither is the own line.
  EXPECT_EQ(AddInPlace("r/a/control/L", "./g\ncontrol/L\n./x/L\n"),
            "1:./g 2\ncontrol/L\n./x/L\n|" + CannotSum(dir / "r/a/control/control/L") +
                CannotSum(dir / "r/a/control/./x/L"));
}

// Index files and summed lines are copied as they are, a trailing blank stays in the path, long
// paths are taken whole, every line ends with a line feed.
TEST_F(AddCheckSum, WhichLinesAreSummedAndHowTheyAreWritten) {
  dir.Write("r/d/c.QEidxx", "\x01\x02");
  dir.Write("r/d/e.qeidx", "\x03");
  EXPECT_EQ(AddInPlace("r/control/E",
                       "./control/E\n./d/a.QEidx\n./d/b.SOLidx\n./d/c.QEidxx\n./d/e.qeidx\n./d/z "
                       "0\n./d/y 12abc\n./d/w  5\n"),
            "1:./control/E\n./d/a.QEidx\n./d/b.SOLidx\n./d/c.QEidxx 3\n./d/e.qeidx 3\n./d/z "
            "0\n./d/y 12abc\n./d/w  5\n|");
  dir.Write("x", "\x07");
  dir.Write("y", "\x05");
  EXPECT_EQ(AddInPlace("list", "./x \n./y"), "1:./x \n./y 5\n|" + CannotSum(dir / "./x "));
  EXPECT_EQ(AddInPlace("empty", ""), "1:|");
  const std::string line =
      "./" + std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(150, 'n');
  const std::string self = "./control/" + std::string(200, 'E');
  dir.Write(line, "\x09");
  EXPECT_EQ(AddInPlace(self, line + "\n" + self), "1:" + line + " 9\n" + self + "\n|");
}

TEST_F(AddCheckSum, FieldThatIsNotANumberFailsSilentlyAndWritesNothing) {
  const std::string list = dir / "control/E";
  for (const char* field : {"abc", "00", "-0", "0x1f"}) {
    const std::string content = std::string("./missing\n./x ") + field + "\n";
    // Not even a message for the missing file before it.
    EXPECT_EQ(AddInPlace("control/E", content, 0640), "-1:" + content + "|") << field;
    EXPECT_EQ(Mode(list), 0640u);
    EXPECT_EQ(Add(list, dir / "control/E.new"), -1) << field;
    EXPECT_EQ(Entries(dir / "control"), std::set<std::string>{"E"});  // no E.new, no temporary
  }
}

TEST_F(AddCheckSum, UnreadableListOrUnwritableControlFileReturnsZeroWithAMessage) {
  for (const std::string& list : {dir / "missing", dir.path()}) {  // a directory cannot be read
    EXPECT_EQ(Add(list, dir / "out"), 0);
    EXPECT_EQ(err, NoControl(list, "reading"));
  }
  const std::string list = dir.Write("list", "./a 1\n");
  for (const std::string& control : {dir / "no/such/dir/E", dir.path(), std::string()}) {
    EXPECT_EQ(Add(list, control), 0);
    EXPECT_EQ(err, NoControl(control, "writing"));
  }
  EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"list"});
}

// Device and FIFO copies as control files: written as opened, never replaced.
TEST_F(AddCheckSum, DeviceOrFifoAsControlFileStaysWhatItIs) {
  if (::geteuid() != 0) GTEST_SKIP() << "mknod needs root";
  const std::string null = dir / "null", full = dir / "full", fifo = dir / "fifo";
  ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string list = dir.Write("list", "./list\n");
  EXPECT_EQ(Add(list, null), 1);
  EXPECT_EQ(Add(list, full), 0);
  EXPECT_EQ(err, "Error : fputs failed ; new control file for " + list + " not created\n\n");
  EXPECT_EQ(Add(list, fifo), 0);  // nobody reads it: refused at once, no hang
  EXPECT_EQ(err, NoControl(fifo, "writing"));
  struct stat info;
  for (const std::string& path : {null, full, fifo})
    EXPECT_TRUE(::lstat(path.c_str(), &info) == 0 &&
                (info.st_mode & S_IFMT) == (path == fifo ? S_IFIFO : S_IFCHR));
  EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"fifo", "full", "list", "null"}));
}

// An in-place rewrite waits for the installation lock, and past the timeout names it and gives up.
TEST_F(AddCheckSum, InPlaceRewriteTakesItsTurnUnderTheInstallationLock) {
  const std::string list = dir.Write("control/E", "./control/E\n");
  const int holder = zoltest::StartLockHolder(list);
  ASSERT_GT(holder, 0);
  {
    ScopedEnv timeout("ZOL_LOCK_TIMEOUT", "0.1");
    EXPECT_EQ(Add(list, list), 0);
    EXPECT_NE(err.find(dir / "control/.zolins.lock"), std::string::npos) << err;
    EXPECT_EQ(ReadFile(list), "./control/E\n");
    EXPECT_EQ(Add(list, dir / "other"), 1);  // a separate control file needs no lock
  }
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(Add(list, list), 1);
}

TEST_F(AddCheckSum, MessagesComeFromTheCatalogue) {
  TempDir catalogue;
  catalogue.Write("ZOLPelmo.msgcat",
                  "ZOLCheckSum.rOpenFailedControl = no list %1\n"
                  "ZOLCheckSum.rOpenFailedCksum = no sum %1\n"
                  "ZOLCheckSum.wOpenFailedControl = no control %1\n");
  ScopedEnv path("ZOL_MSGCAT_PATH", catalogue.path().c_str());
  ScopedEnv lang("LANG", nullptr);
  EXPECT_EQ(Add(dir / "missing", dir / "out"), 0);
  EXPECT_EQ(err, "no list " + dir / "missing" + "\n");
  const std::string list = dir.Write("list", "./gone\n");
  EXPECT_EQ(Add(list, dir / "no/out"), 0);
  EXPECT_EQ(err, "no sum " + dir / "./gone" + "\nno control " + dir / "no/out" + "\n");
}

// Several reader threads give the control file and messages (in line order) of one.
TEST(AddCheckSumReaders, LongListsGiveTheSameControlFile) {
  ScopedEnv noCatalogue("ZOL_MSGCAT_PATH", nullptr);
  TempDir dir;
  std::string list;
  for (int i = 0; i < 300; ++i) {
    const std::string name = "f/" + std::to_string(i);
    if (i % 50 != 7) dir.Write(name, std::string(static_cast<std::size_t>(i * 31 % 9000), 'z'));
    list += "./" + name + (i % 40 == 3 ? " 12" : "") + "\n";
  }
  const std::string listPath = dir.Write("list", list);
  std::string control[2], messages[2];
  for (int r = 0; r < 2; ++r) {
    ScopedEnv env("ZOL_CHECK_READERS", r == 0 ? "1" : "4");
    const std::string out = dir / ("control" + std::to_string(r));
    messages[r] = zoltest::CaptureStderr(
        [&] { EXPECT_EQ(ZOLAddCheckSum(listPath.c_str(), out.c_str()), 1); });
    control[r] = ReadFile(out);
  }
  EXPECT_EQ(control[1], control[0]);
  EXPECT_EQ(messages[1], messages[0]);
  EXPECT_NE(control[0].find("./f/299 " + std::to_string(299 * 31 % 9000 * 122) + "\n"),
            std::string::npos);
  EXPECT_EQ(messages[0].find(CannotSum(dir / "./f/7")), 0u) << messages[0];
}

}  // namespace
