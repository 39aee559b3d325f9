#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "ZOLCheckSum.h"
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

unsigned Mode(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

std::set<std::string> Entries(const std::string& directory) {
  std::set<std::string> names;
  if (DIR* d = ::opendir(directory.c_str())) {
    while (const dirent* entry = ::readdir(d)) names.insert(entry->d_name);
    ::closedir(d);
  }
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

  ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  TempDir dir;
  std::string err;
};

TEST_F(AddCheckSum, SelfLineClimbsFromTheControlDirectoryToTheRoot) {
  dir.Write("r/bin/x", "ab");
  dir.Write("r/bin/one", "\x01");  // sums to the value that means "unreadable"
  const std::string content = "./control/E\n./bin/x\n./bin/gone\n./bin/one\n";
  const std::string list = dir.Write("r/control/E", content);
  ASSERT_EQ(Add(list, dir / "r/control/E.new"), 1);
  EXPECT_EQ(ReadFile(dir / "r/control/E.new"), "./control/E\n./bin/x 195\n./bin/gone\n./bin/one\n");
  EXPECT_EQ(err,
            CannotSum(dir / "r/control/.././bin/gone") + CannotSum(dir / "r/control/.././bin/one"));
  EXPECT_EQ(ReadFile(list), content);
}

TEST_F(AddCheckSum, DeeperSelfLineClimbsFurtherAndNoSelfLineMeansTheListDirectory) {
  dir.Write("r/f", "\x04");
  dir.Write("r/a/control/g", "\x02");
  const std::string deep = dir.Write("r/a/control/E", "./f\n./a/control/E 9\n");
  ASSERT_EQ(Add(deep, deep), 1);
  EXPECT_EQ(ReadFile(deep), "./f 4\n./a/control/E 9\n");
  // "control/E" has one "/" only and "./x/E" no control directory: neither is the own line.
  const std::string plain = dir.Write("r/a/control/L", "./g\ncontrol/L\n./x/L\n");
  ASSERT_EQ(Add(plain, plain), 1);
  EXPECT_EQ(ReadFile(plain), "./g 2\ncontrol/L\n./x/L\n");
  EXPECT_EQ(err, CannotSum(dir / "r/a/control/control/L") + CannotSum(dir / "r/a/control/./x/L"));
}

TEST_F(AddCheckSum, IndexFilesAndLinesWithAChecksumAreCopiedAsTheyStand) {
  dir.Write("r/d/c.QEidxx", "\x01\x02");
  dir.Write("r/d/e.qeidx", "\x03");
  const std::string list = dir.Write("r/control/E",
                                     "./control/E\n./d/a.QEidx\n./d/b.SOLidx\n./d/c.QEidxx\n./d/"
                                     "e.qeidx\n./d/z 0\n./d/y 12abc\n./d/w  5\n");
  ASSERT_EQ(Add(list, list), 1);
  EXPECT_EQ(ReadFile(list),
            "./control/E\n./d/a.QEidx\n./d/b.SOLidx\n./d/c.QEidxx 3\n./d/e.qeidx 3\n./d/z 0\n./d/y "
            "12abc\n"
            "./d/w  5\n");
  EXPECT_EQ(err, "");
}

TEST_F(AddCheckSum, FieldThatIsNotANumberFailsSilentlyAndWritesNothing) {
  for (const char* field : {"abc", "00", "-0", "0x1f"}) {
    const std::string content = std::string("./missing\n./x ") + field + "\n";
    const std::string list = dir.Write("control/E", content);
    ASSERT_EQ(::chmod(list.c_str(), 0640), 0);
    EXPECT_EQ(Add(list, dir / "control/E.new"), -1) << field;
    EXPECT_FALSE(Exists(dir / "control/E.new"));
    EXPECT_EQ(Add(list, list), -1) << field;
    EXPECT_EQ(ReadFile(list), content);
    EXPECT_EQ(Mode(list), 0640u);
    EXPECT_EQ(err, "");  // not even for the missing file before it
  }
}

TEST_F(AddCheckSum, TrailingBlankStaysInThePathAndEveryLineEndsWithALineFeed) {
  dir.Write("x", "\x07");
  dir.Write("y", "\x05");
  const std::string list = dir.Write("list", "./x \n./y");
  ASSERT_EQ(Add(list, dir / "out"), 1);
  EXPECT_EQ(ReadFile(dir / "out"), "./x \n./y 5\n");
  EXPECT_EQ(err, CannotSum(dir / "./x "));
  const std::string empty = dir.Write("empty", "");
  ASSERT_EQ(Add(empty, dir / "out"), 1);
  EXPECT_EQ(ReadFile(dir / "out"), "");
}

TEST_F(AddCheckSum, RewritingInPlaceKeepsThePermissionBits) {
  dir.Write("bin/x", "\x03");
  for (unsigned mode : {0640u, 0444u, 0755u}) {
    const std::string list = dir.Write("control/E", "./control/E\n./bin/x\n");
    ASSERT_EQ(::chmod(list.c_str(), mode), 0);
    ASSERT_EQ(Add(list, list), 1);
    EXPECT_EQ(ReadFile(list), "./control/E\n./bin/x 3\n");
    EXPECT_EQ(Mode(list), mode);
  }
  EXPECT_EQ(Entries(dir / "control"), (std::set<std::string>{".", "..", "E"}));
}

TEST_F(AddCheckSum, LongPathsAndNamesAreHandledWhole) {
  const std::string deep = std::string(120, 'a') + "/" + std::string(120, 'b') + "/";
  const std::string name(150, 'n');
  const std::string listName(200, 'E');
  dir.Write(deep + name, "\x09");
  const std::string line = "./" + deep + name;
  ASSERT_GT(line.size(), 255u);
  const std::string list = dir.Write("control/" + listName, line + "\n./control/" + listName);
  ASSERT_EQ(Add(list, list), 1);
  EXPECT_EQ(ReadFile(list), line + " 9\n./control/" + listName + "\n");
  EXPECT_EQ(err, "");
}

TEST_F(AddCheckSum, UnreadableListOrUnwritableControlFileReturnsZeroWithAMessage) {
  EXPECT_EQ(Add(dir / "missing", dir / "out"), 0);
  EXPECT_EQ(err, dir / "missing" +
                     " : unable to open this file in reading mode, check permissions mode ; new "
                     "control file not created\n\n");
  EXPECT_EQ(Add(dir.path(), dir / "out"), 0);  // a directory opens but cannot be read
  EXPECT_EQ(err, dir.path() +
                     " : unable to open this file in reading mode, check permissions mode ; new "
                     "control file not created\n\n");
  const std::string list = dir.Write("list", "./a 1\n");
  for (const std::string& control : {dir / "no/such/dir/E", dir.path(), std::string()}) {
    EXPECT_EQ(Add(list, control), 0);
    EXPECT_EQ(err, control +
                       " : unable to open this file in writing mode, check permissions mode ; new "
                       "control file not created\n\n");
  }
  EXPECT_FALSE(Exists(dir / "out"));
}

TEST_F(AddCheckSum, FailedWriteLeavesTheOldListWhole) {
  dir.Write("bin/x", "\x03");
  const std::string content = "./control/E\n./bin/x\n";
  const std::string list = dir.Write("control/E", content);
  // The file size limit makes every write beyond a few bytes fail, as a full disk would.
  const int status = zoltest::RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4, 4};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return ZOLAddCheckSum(list.c_str(), list.c_str()) == 0 ? 0 : 3;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(list), content);
  EXPECT_EQ(Entries(dir / "control"), (std::set<std::string>{".", "..", "E"}));
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

}  // namespace
