#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ZOLINSMediaToc.h"
#include "ZOLINSPresent.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;
using zoltest::RunInChild;

// Everything that loads PRESENT with SetDocPresentFile runs in a child process: what it remembers
// lasts until the process ends.
class PresentFile : public ::testing::Test {
 protected:
  std::string Media(std::initializer_list<E> elements) {
    std::string text;
    int order = 3;
    for (const E& e : elements) text += e.MediaLine("A", order++, 100) + "\n";
    return dir.Write("MEDIA.TOC", text);
  }
  int Record(const char* name, ZOLINSMediaToc* media = nullptr) {
    std::string copy(name);
    return UpdatePresentFromToc(toc.c_str(), &copy[0], present.c_str(), media);
  }
  static ino_t Inode(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
  }
  static unsigned Mode(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
  }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::TempDir dir;
  std::string present;
  std::string toc;
};

TEST_F(PresentFile, AppendsTheMediumLineWithoutItsMediaFields) {
  const std::string old = zoltest::TocText({E("BASE")});
  present = dir.Write("control/PRESENT", old);
  const std::string irregular = "code:PRD:  NEW  :OLD::P/U :5:20260101000000:os1:ga1:0:New:1 2:";
  const E longOne = E("LONG").Label(std::string(10000, 'x'));
  toc = dir.Write("MEDIA.TOC", longOne.MediaLine("A", 3, 1) + "\n" + "B: 4 :7:" + irregular + "\n" +
                                   E("NEWER").MediaLine("A", 5, 1));  // no final line feed
  const ino_t inode = Inode(present);

  EXPECT_EQ(Record("NEW"), 0);
  EXPECT_EQ(Record("NEW"), 0);  // recorded again: a second line
  EXPECT_EQ(Record("LONG"), 0);
  EXPECT_EQ(Record("NEWER"), 0);
  EXPECT_EQ(zoltest::ReadFile(present), old + irregular + "\n" + irregular + "\n" + longOne.Line() +
                                            "\n" + E("NEWER").Line() + "\n");
  EXPECT_EQ(Inode(present), inode);
}

TEST_F(PresentFile, ElementsMissingFromTheTocLeavePresentUntouched) {
  const std::string old = zoltest::TocText({E("BASE")});
  present = dir.Write("control/PRESENT", old);
  toc = dir.Write("MEDIA.TOC", E("NEWER").MediaLine("A", 3, 1) + "\nA:4:1:code:PRD\n");
  EXPECT_EQ(Record("NEW"), -300);  // only a prefix of NEWER
  EXPECT_EQ(Record("NEWER2"), -300);
  EXPECT_EQ(Record("PRD"), -300);  // a line too short to name anything
  EXPECT_EQ(zoltest::ReadFile(present), old);
  EXPECT_EQ(UpdatePresentFromToc(toc.c_str(), nullptr, present.c_str(), nullptr), -300);

  toc = dir / "NO.TOC";
  EXPECT_EQ(Record("NEWER"), -10);
  toc = dir / "MEDIA.TOC";
  present = dir / "nowhere/PRESENT";
  EXPECT_EQ(Record("NEWER"), -200);
}

// PRESENT with documentation frameworks, a documentation product and a very long line.
class DocPresent : public PresentFile {
 protected:
  void SetUp() override {
    old = zoltest::TocText({E("BASE").Label(std::string(10000, 'b')),
                            E("FWB").Type("documentation").Pkg("FWK"),
                            E("FWA").Type("documentation").Pkg("FWK"),
                            E("X.prd").Type("documentation").Pkg("PDO").Prereq("D10 D2 "),
                            E("Y.prd").Type("documentation").Pkg("PDO")});
    present = dir.Write("control/PRESENT", old);
    toc = Media({E("X.prd").Type("documentation").Pkg("PDO").Prereq("D1 D2 D3 D4"),
                 E("Y.prd").Type("documentation").Pkg("PDO"),
                 E("Z.prd").Type("documentation").Pkg("PDO").Prereq("D1")});
    ZOLUnicodeString message;
    ASSERT_EQ(media->InitMedia(&toc[0], message), 1) << message.str();
  }

  std::string old;
  std::unique_ptr<ZOLINSMediaToc> media = std::make_unique<ZOLINSMediaToc>();
};

TEST_F(DocPresent, FrameworksAreListedFromOne) {
  EXPECT_EQ(RunInChild([&] {
              int nb = -1;
              EXPECT_EQ(GetNbFWKinPRESENT(&nb), 0);
              EXPECT_EQ(nb, 0);
              EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
              EXPECT_EQ(GetNbFWKinPRESENT(&nb), 0);
              EXPECT_EQ(nb, 2);
              char name[48] = "";
              EXPECT_EQ(GetiemeFWKinPRESENT(0, name), -1);
              EXPECT_EQ(GetiemeFWKinPRESENT(3, name), -1);
              EXPECT_EQ(GetiemeFWKinPRESENT(1, name), 0);
              EXPECT_STREQ(name, "FWA");
              EXPECT_EQ(GetiemeFWKinPRESENT(2, name), 0);
              EXPECT_STREQ(name, "FWB");

              // A load that fails keeps what the last good one found.
              const std::string bad = dir.Write("BAD", zoltest::TocText({E("A"), E("A")}));
              const std::string err =
                  zoltest::CaptureStderr([&] { EXPECT_EQ(SetDocPresentFile(bad.c_str()), 1); });
              EXPECT_EQ(err, "ZOLINSInstToc:Duplicate entry in " + bad + "\n\n");
              EXPECT_EQ(GetNbFWKinPRESENT(&nb), 0);
              EXPECT_EQ(nb, 2);
              EXPECT_EQ(GetiemeFWKinPRESENT(2, name), 0);
              EXPECT_STREQ(name, "FWB");
              return 0;
            }),
            0);
}

TEST_F(DocPresent, AFailedFirstLoadRemembersNothing) {
  EXPECT_EQ(
      RunInChild([&] {
        const std::string missing = dir / "none/PRESENT";
        const std::string err =
            zoltest::CaptureStderr([&] { EXPECT_EQ(SetDocPresentFile(missing.c_str()), 1); });
        EXPECT_NE(err.find(missing), std::string::npos);
        int nb = -1;
        GetNbFWKinPRESENT(&nb);
        EXPECT_EQ(nb, 0);
        // Without a remembered product, the product's line is appended again.
        EXPECT_EQ(Record("X.prd", media.get()), 0);
        EXPECT_EQ(
            zoltest::ReadFile(present),
            old + E("X.prd").Type("documentation").Pkg("PDO").Prereq("D1 D2 D3 D4").Line() + "\n");
        return 0;
      }),
      0);
}

TEST_F(DocPresent, ProductLineGetsOnlyItsMissingPrerequisites) {
  ASSERT_EQ(::chmod(present.c_str(), 0640), 0);
  EXPECT_EQ(RunInChild([&] {
              EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
              EXPECT_EQ(Record("X.prd", nullptr), -102);
              EXPECT_EQ(zoltest::ReadFile(present), old);

              // D1 counts as present inside D10; D2 is there.
              EXPECT_EQ(Record("X.prd", media.get()), 0);
              std::string expected = old;
              const std::string field = ":D10 D2 :";
              expected.replace(expected.find(field), field.size(), ":D10 D2 D3 D4 :");
              EXPECT_EQ(zoltest::ReadFile(present), expected);
              EXPECT_EQ(Mode(present), 0640u);

              // Complete already, and a product without prerequisites: nothing is written.
              const ino_t inode = Inode(present);
              EXPECT_EQ(Record("X.prd", media.get()), 0);
              EXPECT_EQ(Record("Y.prd", media.get()), 0);
              EXPECT_EQ(Inode(present), inode);
              EXPECT_EQ(zoltest::ReadFile(present), expected);

              // A product that was not in PRESENT when it was loaded is appended.
              EXPECT_EQ(Record("Z.prd", media.get()), 0);
              EXPECT_EQ(zoltest::ReadFile(present),
                        expected + E("Z.prd").Type("documentation").Pkg("PDO").Prereq("D1").Line() +
                            "\n");
              return 0;
            }),
            0);
  EXPECT_EQ(std::system(("test $(ls -A " + dir / "control" + " | wc -l) -eq 1").c_str()), 0);
}

TEST_F(DocPresent, NewPrerequisitesNeverRunIntoTheLastOldOne) {
  // A line copied raw from a medium may end its prereq field without a blank.
  old = "documentation:PDO:X.prd::D10 D2:::::::0:Doc:\n";
  present = dir.Write("control/PRESENT", old);
  EXPECT_EQ(RunInChild([&] {
              EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
              EXPECT_EQ(Record("X.prd", media.get()), 0);
              EXPECT_EQ(zoltest::ReadFile(present),
                        "documentation:PDO:X.prd::D10 D2 D3 D4 :::::::0:Doc:\n");
              return 0;
            }),
            0);
}

TEST_F(DocPresent, ProductLineThatCannotBeFoundOrCompleted) {
  EXPECT_EQ(RunInChild([&] {
              EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
              const std::string loaded = present;
              present = dir / "control/MISSING";
              EXPECT_EQ(Record("X.prd", media.get()), -100);
              present = dir.Write("control/OTHER", zoltest::TocText({E("BASE")}));
              EXPECT_EQ(Record("X.prd", media.get()), -101);
              present = dir.Write("control/SHORT", "documentation:PDO:X.prd:A\n");
              EXPECT_EQ(Record("X.prd", media.get()), -104);
              EXPECT_EQ(zoltest::ReadFile(present), "documentation:PDO:X.prd:A\n");
              EXPECT_EQ(zoltest::ReadFile(loaded), old);
              return 0;
            }),
            0);
}

TEST_F(DocPresent, FailedRewriteLeavesPresentAsItWas) {
  // A name so long that no temporary file can be named beside it.
  const std::string longName = dir / ("control/" + std::string(250, 'P'));
  zoltest::WriteFile(longName, old);
  EXPECT_EQ(RunInChild([&] {
              present = longName;
              EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
              EXPECT_EQ(Record("X.prd", media.get()), -111);
              EXPECT_EQ(zoltest::ReadFile(present), old);
              return 0;
            }),
            0);

  // A file-size limit below the new content: the replacement is not written whole.
  EXPECT_EQ(RunInChild([&] {
              EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
              std::signal(SIGXFSZ, SIG_IGN);
              const rlimit limit{old.size() / 2, old.size() / 2};
              EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
              EXPECT_EQ(Record("X.prd", media.get()), -112);
              EXPECT_EQ(zoltest::ReadFile(present), old);
              EXPECT_EQ(Record("Z.prd", media.get()), -112);  // appending past the limit
              EXPECT_EQ(zoltest::ReadFile(present), old);
              return 0;
            }),
            0);
  EXPECT_EQ(std::system(("test $(ls -A " + dir / "control" + " | wc -l) -eq 2").c_str()), 0);
}

}  // namespace
