#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSMediaToc.h"
#include "ZOLINSPresent.h"
#include "base/UniqueFd.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::CaptureStderr;
using zoltest::E;
using zoltest::ReadFile;
using V = std::vector<std::string>;

// Everything that loads PRESENT with SetDocPresentFile runs in a child process: what it remembers
// lasts until the process ends.
void InChild(const std::function<void()>& body) {
  EXPECT_EQ(zoltest::RunInChild([&] { return body(), 0; }), 0);
}

struct stat Stat(const std::string& path) {
  struct stat info = {};
  ::stat(path.c_str(), &info);
  return info;
}

class PresentFile : public ::testing::Test {
 protected:
  // Records `name` from the TOC file `toc` in `file`, or else in `present`.
  int Record(const char* name, ZOLINSMediaToc* media = nullptr, const std::string& file = "") {
    std::string copy(name ? name : "");
    return UpdatePresentFromToc(toc.c_str(), name ? &copy[0] : nullptr,
                                (file.empty() ? present : file).c_str(), media);
  }
  // No temporary file of a rewrite, finished or failed, is left beside PRESENT.
  void ExpectFilesInControl(const char* count) {
    EXPECT_EQ(std::system(("test $(ls -A " + dir / "control" + " | wc -l) -eq " + count).c_str()),
              0);
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
  toc = dir.Write("MEDIA.TOC", longOne.MediaLine("A", 3, 1) + "\nB: 4 :7:" + irregular +
                                   "\nA:4:1:code:PRD\n" + E("NEWER").MediaLine("A", 5, 1));
  const ino_t inode = Stat(present).st_ino;
  // Held open so that its inode number cannot be handed to a later file.
  const zol::UniqueFd heldOpen(::open(present.c_str(), O_RDONLY | O_CLOEXEC));

  // Only a prefix of NEWER, longer than it, a line too short to name anything, no name, no TOC,
  // PRESENT in no directory: nothing is written.
  for (const char* name : {"NEWE", "NEWER2", "PRD", static_cast<const char*>(nullptr)})
    EXPECT_EQ(Record(name), -300) << name;
  char newer[] = "NEWER";
  EXPECT_EQ(UpdatePresentFromToc((dir / "NO.TOC").c_str(), newer, present.c_str(), nullptr), -10);
  EXPECT_EQ(Record("NEWER", nullptr, dir / "no/PRESENT"), -200);

  EXPECT_EQ(Record("NEW"), 0);
  EXPECT_EQ(Record("NEW"), 0);  // recorded already: nothing added
  EXPECT_EQ(Record("LONG"), 0);
  EXPECT_EQ(Record("NEWER"), 0);  // the TOC's last line has no line feed
  EXPECT_EQ(ReadFile(present),
            old + irregular + "\n" + longOne.Line() + "\n" + E("NEWER").Line() + "\n");
  EXPECT_NE(Stat(present).st_ino, inode);  // replaced whole, never cut off by a failure
}

// PRESENT with documentation frameworks, a documentation product and a very long line.
class DocPresent : public PresentFile {
 protected:
  void SetUp() override {
    present = dir.Write("control/PRESENT", old);
    toc = dir.Write("MEDIA.TOC", X.MediaLine("A", 3, 1) + "\n" + Doc("Y.prd").MediaLine("A", 4, 1) +
                                     "\n" + Z.MediaLine("A", 5, 1) + "\n");
    ZOLUnicodeString message;
    ASSERT_EQ(media->InitMedia(&toc[0], message), 1) << message.str();
  }
  static E Doc(const char* name) { return E(name).Type("documentation").Pkg("PDO"); }
  // The frameworks SetDocPresentFile remembers, checking the bounds of the listing on the way.
  static V Frameworks() {
    int nb = -1;
    EXPECT_EQ(GetNbFWKinPRESENT(&nb), 0);
    V names;
    char name[48] = "";
    for (int i = 1; i <= nb; ++i) names.push_back(GetiemeFWKinPRESENT(i, name) == 0 ? name : "?");
    EXPECT_EQ(GetiemeFWKinPRESENT(0, name), -1);
    EXPECT_EQ(GetiemeFWKinPRESENT(nb + 1, name), -1);
    return names;
  }

  const E X = Doc("X.prd").Prereq("D1 D2 D3 D4");
  const E Z = Doc("Z.prd").Prereq("D1");
  std::string old = zoltest::TocText(
      {E("BASE").Label(std::string(10000, 'b')), E("FWB").Type("documentation").Pkg("FWK"),
       E("FWA").Type("documentation").Pkg("FWK"), Doc("X.prd").Prereq("D10 D2 "), Doc("Y.prd")});
  std::unique_ptr<ZOLINSMediaToc> media = std::make_unique<ZOLINSMediaToc>();
};

TEST_F(DocPresent, FrameworksComeFromTheLastGoodLoad) {
  InChild([&] {
    const std::string missing = dir / "none/PRESENT";
    EXPECT_NE(
        CaptureStderr([&] { EXPECT_EQ(SetDocPresentFile(missing.c_str()), 1); }).find(missing),
        std::string::npos);
    EXPECT_EQ(Frameworks(), V{});
    // Without a remembered product, a product already recorded is left as it is.
    EXPECT_EQ(Record("X.prd", media.get()), 0);
    EXPECT_EQ(ReadFile(present), old);
    const std::string twice = old + X.Line() + "\n";

    zoltest::WriteFile(present, old);
    EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
    EXPECT_EQ(Frameworks(), (V{"FWA", "FWB"}));
    zoltest::WriteFile(present, twice);
    EXPECT_EQ(CaptureStderr([&] { EXPECT_EQ(SetDocPresentFile(present.c_str()), 1); }),
              "ZOLINSInstToc:Duplicate entry in " + present + "\n\n");
    EXPECT_EQ(Frameworks(), (V{"FWA", "FWB"}));
  });
}

TEST_F(DocPresent, ProductLineGetsOnlyItsMissingPrerequisites) {
  ASSERT_EQ(::chmod(present.c_str(), 0640), 0);
  InChild([&] {
    EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
    EXPECT_EQ(Record("X.prd", nullptr), -102);
    // D1 counts as present inside D10; D2 is there.
    EXPECT_EQ(Record("X.prd", media.get()), 0);
    std::string expected = old;
    expected.replace(expected.find(":D10 D2 :"), 9, ":D10 D2 D3 D4 :");
    EXPECT_EQ(Stat(present).st_mode & 07777, 0640u);
    // Complete already, and a product without prerequisites: nothing is written.
    const ino_t inode = Stat(present).st_ino;
  // Held open so that its inode number cannot be handed to a later file.
  const zol::UniqueFd heldOpen(::open(present.c_str(), O_RDONLY | O_CLOEXEC));
    EXPECT_EQ(Record("X.prd", media.get()), 0);
    EXPECT_EQ(Record("Y.prd", media.get()), 0);
    EXPECT_EQ(Stat(present).st_ino, inode);
    // A product that was not in PRESENT when it was loaded is appended.
    EXPECT_EQ(Record("Z.prd", media.get()), 0);
    EXPECT_EQ(ReadFile(present), expected + Z.Line() + "\n");
    // A line copied raw from a medium may end its prereq field without a blank.
    const std::string raw =
        dir.Write("control/RAW", "documentation:PDO:X.prd::D10 D2:::::::0:D:\n");
    EXPECT_EQ(Record("X.prd", media.get(), raw), 0);
    EXPECT_EQ(ReadFile(raw), "documentation:PDO:X.prd::D10 D2 D3 D4 :::::::0:D:\n");
  });
  ExpectFilesInControl("3");  // with the lock file
}

TEST_F(DocPresent, FailuresLeaveEveryPresentFileAsItWas) {
  InChild([&] {
    EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
    EXPECT_EQ(Record("X.prd", media.get(), dir / "control/MISSING"), -100);
    const struct {
      std::string file, text;
      int rc;
    } cases[] = {{"OTHER", "code:PRD:BASE::::0::os1:ga1:0:L:\n", -101},
                 {"OTHER", "documentation:PDO:X.prd:A\n", -104}};
    for (const auto& c : cases) {
      const std::string file = dir.Write("control/" + c.file, c.text);
      EXPECT_EQ(Record("X.prd", media.get(), file), c.rc);
      EXPECT_EQ(ReadFile(file), c.text);
    }

    // A file-size limit below the new content: the replacement is not written whole.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{old.size() / 2, old.size() / 2};
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    EXPECT_EQ(Record("X.prd", media.get()), -112);
    EXPECT_EQ(Record("Z.prd", media.get()), -112);  // appending past the limit
    EXPECT_EQ(ReadFile(present), old);
  });
  ExpectFilesInControl("3");  // with the lock file
}

}  // namespace
