#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "base/FileWriter.h"
#include "support/TestSupport.h"

namespace {

using zol::WriteStep;
using zol::WriteWholeFile;
using zoltest::ReadFile;
using zoltest::TempDir;

struct stat Lstat(const std::string& path) {
  struct stat info = {};
  ::lstat(path.c_str(), &info);
  return info;
}

// `dir` holds `count` entries: no temporary file is left.
void ExpectOnly(const std::string& dir, long count) {
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), count);
}

// A regular file is replaced with its mode kept (PresentTest, WriteFaultTest); here, links.
TEST(FileWriter, LinksAreFollowedAndStayLinks) {
  TempDir dir;
  const std::string path = dir.Write("PRESENT", "old\n");
  // A link chain is followed to its file.
  ASSERT_EQ(::symlink("PRESENT", (dir / "link1").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "link1").c_str(), (dir / "link2").c_str()), 0);
  ASSERT_TRUE(WriteWholeFile(dir / "link2", "through links\n").ok());
  EXPECT_EQ(ReadFile(path), "through links\n");
  EXPECT_TRUE(S_ISLNK(Lstat(dir / "link1").st_mode) && S_ISLNK(Lstat(dir / "link2").st_mode));

  // A dangling relative link: its file is created where it points, beside the link.
  ASSERT_EQ(::symlink("created", (dir / "dangling").c_str()), 0);
  ASSERT_TRUE(WriteWholeFile(dir / "dangling", "made\n").ok());
  EXPECT_TRUE(S_ISLNK(Lstat(dir / "dangling").st_mode));
  EXPECT_EQ(ReadFile(dir / "created"), "made\n");
  ExpectOnly(dir.path(), 5);
}

TEST(FileWriter, FileWithSeveralLinksIsWrittenInPlace) {
  TempDir dir;
  const std::string path = dir.Write("PRESENT", "old content\n");
  ASSERT_EQ(::link(path.c_str(), (dir / "other").c_str()), 0);
  ASSERT_TRUE(WriteWholeFile(path, "new\n").ok());
  EXPECT_EQ(ReadFile(dir / "other"), "new\n");  // still one file, shorter than before
  EXPECT_EQ(Lstat(path).st_nlink, 2u);
}

TEST(FileWriter, TargetThatCannotBeExaminedIsNotTouched) {
  TempDir dir;
  const std::string file = dir.Write("file", "x");
  ASSERT_EQ(::symlink("loop", (dir / "loop").c_str()), 0);
  for (const std::string& path : {file + "/below", dir / "loop", std::string()})
    EXPECT_EQ(WriteWholeFile(path, "new").failed, WriteStep::Examine) << path;
  EXPECT_EQ(ReadFile(file), "x");
  // No directory to put it in: nothing can be created, and no temporary file is left either.
  EXPECT_EQ(WriteWholeFile(dir / "no/such/PRESENT", "x").failed, WriteStep::Open);
  EXPECT_EQ(WriteWholeFile(dir.path(), "x").failed, WriteStep::Open);  // a directory
  ExpectOnly(dir.path(), 2);
}

// A FIFO nobody reads fails at once instead of hanging; one with a reader gets the content and
// stays a FIFO.
TEST(FileWriter, FifoIsWrittenInPlaceOnlyWhenSomeoneReadsIt) {
  TempDir dir;
  const std::string fifo = dir / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(WriteWholeFile(fifo, "x").failed, WriteStep::Open);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_TRUE(WriteWholeFile(fifo, "through\n").ok());
  char buffer[16] = {};
  EXPECT_EQ(::read(reader, buffer, sizeof buffer), 8);
  ::close(reader);
  EXPECT_TRUE(S_ISFIFO(Lstat(fifo).st_mode));
  ExpectOnly(dir.path(), 1);
}

// As "nobody": where fopen "w" could write, so can the writer, and owners stay.
TEST(FileWriter, UnprivilegedUserRewritesWhatItMayWriteAndOwnersStay) {
  if (::geteuid() != 0) GTEST_SKIP() << "changing user needs root";
  const passwd* nobody = ::getpwnam("nobody");
  const group* nogroup = ::getgrnam("nogroup");
  if (!nobody || !nogroup) GTEST_SKIP() << "no user nobody or group nogroup";
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  const std::string closed = dir / "closed", open = dir / "open";
  ASSERT_EQ(::mkdir(closed.c_str(), 0755), 0);  // root's: nobody may not create files in it
  ASSERT_EQ(::mkdir(open.c_str(), 01777), 0);
  const std::string inClosed = dir.Write("closed/PRESENT", "old\n");
  const std::string shared = dir.Write("open/PRESENT", "old\n");
  ASSERT_EQ(::chown(inClosed.c_str(), nobody->pw_uid, nogroup->gr_gid), 0);  // nobody's own
  ASSERT_EQ(::chown(shared.c_str(), 0, nogroup->gr_gid), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 0664), 0);  // group-writable, root's

  EXPECT_EQ(zoltest::RunInChild([&] {
              if (::setgroups(0, nullptr) != 0 || ::setgid(nogroup->gr_gid) != 0 ||
                  ::setuid(nobody->pw_uid) != 0)
                return 2;
              EXPECT_TRUE(WriteWholeFile(inClosed, "new in closed\n").ok());
              EXPECT_TRUE(WriteWholeFile(shared, "new shared\n").ok());
              EXPECT_EQ(WriteWholeFile(closed + "/NEW", "x").failed, WriteStep::Open);
              return 0;
            }),
            0);
  EXPECT_EQ(ReadFile(inClosed), "new in closed\n");
  EXPECT_EQ(ReadFile(shared), "new shared\n");
  const struct stat info = Lstat(shared);
  EXPECT_EQ(std::make_tuple(info.st_uid, info.st_gid, info.st_mode & 07777),
            std::make_tuple(0u, nogroup->gr_gid, 0664u));
  ExpectOnly(open, 1);
}

}  // namespace
