// Every file the library reads goes through one opener that takes only regular files, without
// blocking: a FIFO with no writer, a device that never ends (a copy of /dev/zero) or a directory
// put where a file is expected is reported as a file that cannot be read, and nothing hangs.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "ZOLCheckSum.h"
#include "ZOLFile.h"
#include "ZOLINSInstToc.h"
#include "ZOLINSIntegrity.h"
#include "ZOLINSMediaToc.h"
#include "ZOLINSQuery.h"
#include "base/Files.h"
#include "base/LineReader.h"
#include "base/Message.h"
#include "base/PathList.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::CaptureStderr;
using zoltest::E;
using zoltest::ScopedEnv;
using zoltest::TempDir;

// The parameter names the kind of file: "Fifo", "Device" or "Directory".
class NonRegular : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (GetParam() == "Device" && ::geteuid() != 0)
      GTEST_SKIP() << "making a device copy with mknod needs root";
  }

  // Puts the special files at `paths` below the directory, parents created; the device is a
  // /dev/zero copy (endless).
  void Make(std::initializer_list<const char*> paths) {
    for (const char* relative : paths) {
      const std::string path = dir / relative;
      zoltest::MakeDirs(path.substr(0, path.rfind('/')));
      const int rc = GetParam() == "Fifo" ? ::mkfifo(path.c_str(), 0666)
                     : GetParam() == "Device"
                         ? ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 5))
                         : ::mkdir(path.c_str(), 0777);
      ASSERT_EQ(rc, 0) << path;
    }
  }

  // Runs `body` in a child that a 5-second watchdog kills: a blocking read fails, never hangs.
  static void Watched(const std::function<void()>& body) {
    EXPECT_EQ(zoltest::RunInChild([&] {
                ::alarm(5);
                body();
                return 0;
              }),
              0)
        << "the child failed, or was stopped by the watchdog (142)";
  }

  TempDir dir;
  ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
};

TEST_P(NonRegular, FileReadersRefuseIt) {
  Make({"special", "LIST", "cat/ZOLPelmo.msgcat"});
  const std::string path = dir / "special", list = dir / "LIST", control = dir / "CONTROL";
  ScopedEnv catalogues("ZOL_MSGCAT_PATH", (dir / "cat").c_str());
  Watched([&] {
    errno = 0;
    EXPECT_FALSE(zol::OpenForReading(path).valid());
    EXPECT_EQ(errno, GetParam() == "Directory" ? EISDIR : EINVAL);
    std::string content = "old";
    EXPECT_FALSE(zol::ReadWholeFile(path, content));
    EXPECT_EQ(content, "");
    EXPECT_FALSE(zol::LineReader(path).IsOpen());
    unsigned int fd = 0;
    EXPECT_EQ(ZOLFOpen(path.c_str(), "r", &fd), -1);
    long rc = 0;
    QEBReadFile file(ZOLUnicodeString(path.c_str()), rc);
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(ZOLCalcCheckSum(&std::string(path)[0]), 1u);
    EXPECT_EQ(zol::CatalogueMessage("ZOLPelmo", "SetOS.Error", {}, "default").str(), "default");
    const std::string err =
        CaptureStderr([&] { EXPECT_EQ(ZOLAddCheckSum(list.c_str(), control.c_str()), 0); });
    EXPECT_NE(err.find(list), std::string::npos) << err;
    EXPECT_NE(::access(control.c_str(), F_OK), 0);
  });
}

TEST_P(NonRegular, TocAndPresentDoNotLoad) {
  Make({"inst/control/PRESENT", "MEDIA.TOC"});
  const std::string root = dir / "inst";
  std::string medium = dir / "MEDIA.TOC", present = root + "/control/PRESENT";
  Watched([&] {
    ZOLUnicodeString msg("untouched");
    ZOLINSMediaToc media;
    EXPECT_EQ(media.InitMedia(&medium[0], msg), -1);
    EXPECT_EQ(media.GetNbToc(), -1);
    ZOLINSInstToc inst;
    EXPECT_EQ(inst.InitInst(&present[0], msg), -1);
    EXPECT_EQ(msg.str(), "untouched");
    const std::string err = CaptureStderr([&] {
      EXPECT_EQ(ZOLGetGALevel(root.c_str()), nullptr);
      EXPECT_EQ(ZOLIsInstalled("APP", root.c_str()), -1);
    });
    EXPECT_NE(err.find("Cannot open file " + present), std::string::npos) << err;
  });
}

// PCFG.list shows nothing; the check reports an unreadable control file and listed file, and goes
// on; the skip list and NLS.txt count as absent.
TEST_P(NonRegular, InstallationFilesAreReportedOrTakenAsAbsent) {
  std::string present =
      dir.Write("inst/control/PRESENT",
                E("BASEFWK").Pkg("FWK").Line() + "\n" + E("APP").Prereq("BASEFWK").Line() + "\n");
  dir.Write("inst/control/BASEFWK", "./control/BASEFWK\n./lib/special 12\n");
  Make({"inst/control/PCFG.list", "inst/lib/special", "inst/control/APP", "inst/NLS.txt",
        "ref/CI3SkippedFiles"});
  ScopedEnv reffiles("ZOLReffilesPath", (dir / "ref").c_str());
  Watched([&] {
    ZOLUnicodeString skipList;
    EXPECT_EQ(GetCI3SkippedFilesStr(skipList), 0);
    int flags[8] = {};
    WhichNLSFontsInstalled(&std::string(dir / "inst")[0], flags[0], flags[1], flags[2], flags[3],
                           flags[4], flags[5], flags[6], flags[7]);
    for (int flag : flags) EXPECT_EQ(flag, 1);
    ZOLUnicodeString msg;
    ZOLINSInstToc inst;
    ASSERT_EQ(inst.InitInst(&present[0], msg), 1) << msg.str();
    EXPECT_EQ(inst.IsVisible("APP"), 0);
    ZOLUnicodeString report;
    EXPECT_EQ(inst.CheckIntegrity(report, (dir / "inst").c_str(), 2, 0), 0);
    for (const std::string& line :
         {dir / "inst/control/APP: unable to read this file",
          dir / "inst/lib/special: unable to open this file in reading mode"})
      EXPECT_NE(report.str().find(line), std::string::npos) << report.str();
  });
}

INSTANTIATE_TEST_SUITE_P(Kinds, NonRegular, ::testing::Values("Fifo", "Device", "Directory"),
                         [](const auto& info) { return info.param; });

TEST(PathList, EmptyEntriesAreSkippedOrEndTheList) {
  using Views = std::vector<std::string_view>;
  EXPECT_EQ(zol::SplitPathList("/a::/b:", zol::EmptyEntry::kSkip), (Views{"/a", "/b"}));
  EXPECT_EQ(zol::SplitPathList("/a::/b:", zol::EmptyEntry::kEnds), (Views{"/a"}));
  EXPECT_EQ(zol::SplitPathList(":/a", zol::EmptyEntry::kEnds), Views{});
  EXPECT_EQ(zol::SplitPathList(":/a", zol::EmptyEntry::kSkip), (Views{"/a"}));
  EXPECT_EQ(zol::SplitPathList("", zol::EmptyEntry::kSkip), Views{});
}

}  // namespace
