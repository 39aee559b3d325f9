#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSPresent.h"
#include "ZOLINSQuery.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::CaptureStderr;
using zoltest::E;
using zoltest::TocText;

// The levels and the installed TOC are kept for the life of the process: every test that asks for
// them runs in a child process.
void InChild(const std::function<void()>& body) {
  EXPECT_EQ(zoltest::RunInChild([&] { return body(), 0; }), 0);
}

class Queries : public ::testing::Test {
 protected:
  // Writes root/control/PRESENT; returns the root.
  std::string Installation(const std::string& root, const std::string& text) {
    dir.Write(root + "/control/PRESENT", text);
    return dir / root;
  }
  // A framework of GA level `ga`, then the service packs and the hot fix named.
  static std::string Levels(const std::string& ga, const std::vector<std::string>& spks = {},
                            const std::string& hfx = "") {
    std::string text = E("BASE").Ga(ga).Pkg("FWK").Line() + "\n";
    for (const std::string& spk : spks) text += E(spk).Ga(ga).Pkg("SPK").Line() + "\n";
    if (!hfx.empty()) text += E(hfx).Ga(ga).Pkg("HFX").Line() + "\n";
    return text;
  }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::ScopedEnv noInstallPath{"ZOLInstallPath", nullptr};
  zoltest::TempDir dir;
};

TEST_F(Queries, WithoutPresentNothingIsRead) {
  InChild([&] {
    auto notSet = [](const std::string& entry) {
      return " Error ( " + entry + " ) : ZOLInstallPath is not set. Verify your environment.\n\n";
    };
    auto notFound = [](const std::string& entry, const std::string& file) {
      return " Error ( " + entry + " ) : File " + file +
             " is not found. Check Setup integrity.\n\n";
    };
    const std::string roots = dir / "a:" + dir / "b";
    // An empty entry ends the list, here before anything was tried.
    const std::string emptyFirst = ":" + Installation("c", Levels("R1"));
    const std::pair<std::function<bool()>, std::string> calls[] = {
        {[] { return ZOLGetSPKLevel(nullptr) == -1; }, notSet("ZOLGetSPKLevel")},
        {[] { return !ZOLGetGALevel(nullptr); }, notSet("ZOLGetGALevel")},
        {[] { return ZOLGetHFXLevel("") == -1; }, notSet("ZOLGetHFXlevel")},
        {[] { return ZOLIsInstalled("A", nullptr) == -1; }, notSet("ZOLIsInstalled")},
        {[&] { return ZOLIsInstalled("A", roots.c_str()) == -1; },
         notFound("ZOLIsInstalled", dir / "b/control/PRESENT")},
        {[&] { return !ZOLGetGALevel(emptyFirst.c_str()); }, notFound("ZOLGetGALevel", "")},
        {[] { return ZOLIsInstalled(nullptr, "/x") == -1; }, ""},
    };
    for (const auto& [call, message] : calls) {
      bool refused = false;
      EXPECT_EQ(CaptureStderr([&, &call = call] { refused = call(); }), message);
      EXPECT_TRUE(refused) << message;
    }
  });
}

TEST_F(Queries, LevelsAreReadOnceFromTheFirstRootHoldingPresent) {
  const std::string roots =
      dir / "first:" + Installation("second", Levels("R1", {"BASE.1", "BASE.2"}, "BASE.2.7"));
  const zoltest::ScopedEnv installPath("ZOLInstallPath", roots.c_str());
  InChild([&] {
    const char* first = ZOLGetGALevel(nullptr);
    EXPECT_STREQ(first, "R1");
    EXPECT_EQ(ZOLGetSPKLevel(nullptr), 2);  // the last service pack decides
    EXPECT_EQ(ZOLGetHFXLevel(nullptr), 7);
    Installation("second", Levels("R9", {"BASE.3"}, "BASE.3.4"));
    EXPECT_EQ(ZOLGetSPKLevel(nullptr), 2);
    EXPECT_EQ(ZOLGetGALevel(nullptr), first);
    EXPECT_EQ(ZOLGetSPKLevel(roots.c_str()), 3);  // a named installation is read again
    EXPECT_EQ(ZOLGetHFXLevel(nullptr), 4);
    EXPECT_STREQ(ZOLGetGALevel(nullptr), "R9");
    EXPECT_STREQ(first, "R1");  // a buffer handed out stays valid
    // Neither service pack nor hot fix, and a line longer than any read buffer.
    Installation("second", Levels("R2") + std::string(10000, 'x') + "\n");
    EXPECT_EQ(ZOLGetSPKLevel(roots.c_str()), 0);
    EXPECT_EQ(ZOLGetHFXLevel(nullptr), 0);
    EXPECT_STREQ(ZOLGetGALevel(nullptr), "R2");
  });
}

TEST_F(Queries, FailedReadsAreTriedAgainGoodOnesKept) {
  const std::string root = Installation("i", "");
  const std::string present = root + "/control/PRESENT";
  const zoltest::ScopedEnv installPath("ZOLInstallPath", root.c_str());
  InChild([&] {
    EXPECT_EQ(ZOLGetSPKLevel(nullptr), -1);  // a file without a first line counts as read
    zoltest::WriteFile(present, "code:NOPE:A::::0::os1:ga1:0:L:\n");
    EXPECT_EQ(CaptureStderr([] { EXPECT_EQ(ZOLGetSPKLevel(nullptr), -1); }), "");
    EXPECT_EQ(CaptureStderr([&] { EXPECT_EQ(ZOLGetSPKLevel(root.c_str()), -1); }),
              "ZOLINSInstToc: Init of line number 1 from " + present +
                  " failed\nZOLINSUnitToc: unknown package: NOPE\n\n");
    zoltest::WriteFile(present, Levels("R1", {"BASE.5"}));
    EXPECT_EQ(ZOLGetSPKLevel(nullptr), 5);  // the failed read is tried again

    zoltest::WriteFile(present, TocText({E("C"), E("C")}));
    EXPECT_EQ(CaptureStderr([] { EXPECT_EQ(ZOLIsInstalled("C", nullptr), -1); }),
              "ZOLINSInstToc:Duplicate entry in " + present + "\n\n");
    zoltest::WriteFile(present, TocText({E("C"), E("D").Type("documentation")}));
    EXPECT_EQ(ZOLIsInstalled("C", nullptr), 1);  // a failed load is tried again
    EXPECT_EQ(ZOLIsInstalled("D", nullptr), 0);  // installed, but not as code
    zoltest::WriteFile(present, TocText({E("D")}));
    EXPECT_EQ(ZOLIsInstalled("C", nullptr), 1);  // the table loaded first stands
    EXPECT_EQ(ZOLIsInstalled("C", root.c_str()), 0);
    EXPECT_EQ(ZOLIsInstalled("D", nullptr), 1);
  });
}

TEST_F(Queries, StateIsReleasedCleanlyAtExit) {
  const std::string root = Installation("i", Levels("R1", {"BASE.1"}));
  const std::string present = root + "/control/PRESENT";
  // The child ends with exit(): the library's state is destroyed as at the end of any program,
  // under the sanitizers' eyes when they are built in.
  EXPECT_EQ(zoltest::RunInChild([&]() -> int {
              const bool ok = ZOLGetGALevel(root.c_str()) && ZOLGetGALevel(root.c_str()) &&
                              ZOLIsInstalled("BASE", root.c_str()) == 1 &&
                              SetDocPresentFile(present.c_str()) == 0 &&
                              SetDocPresentFile(present.c_str()) == 0;
              std::exit(ok ? 0 : 1);
            }),
            0);
}

TEST(QEBReadFileTest, LinesOfAnyLengthComeWhole) {
  zoltest::TempDir dir;
  const std::string longLine = std::string(3000, 'a') + "\n";
  const std::string full(1023, 'b');  // fills the read buffer exactly
  // The last line ends with the file, after two full buffers.
  const std::string path = dir.Write("F", longLine + "\n" + full + "\n" + full + full);
  long rc = -5;
  QEBReadFile file(path.c_str(), rc);
  ASSERT_EQ(rc, 0);
  ZOLUnicodeString line("stale");
  for (const std::string& expected : {longLine, std::string("\n"), full + "\n", full + full}) {
    EXPECT_EQ(file.GetNextLine(line), 0);
    EXPECT_EQ(line.str(), expected);
  }
  EXPECT_EQ(file.GetNextLine(line), 1);
  EXPECT_EQ(line.str(), "");

  QEBReadFile missing((dir / "none").c_str(), rc);
  EXPECT_EQ(rc, -1);
  EXPECT_EQ(static_cast<unsigned>(missing.GetNextLine(line)), 0x80004005u);
}

TEST(ProductLine, TextsComeFromTheProductLineCatalogue) {
  zoltest::TempDir dir;
  const std::string homepage(600, 'h');  // longer than any fixed text buffer
  dir.Write("ZOLProductLine.msgcat",
            "PL1.Label = Product line one\nPL1.Copyright = (c) 2026\nPL1.DocHomepage = " +
                homepage + "\n");
  const zoltest::ScopedEnv catalogues("ZOL_MSGCAT_PATH", dir.path().c_str());
  const zoltest::ScopedEnv lang("LANG", "C");
  char out[1024] = "stale";
  EXPECT_EQ(GetLabelFromProductLine("PL1", out), 0);
  EXPECT_STREQ(out, "Product line one");
  EXPECT_EQ(GetCopyrightFromProductLine("PL1", out), 0);
  EXPECT_STREQ(out, "(c) 2026");
  EXPECT_EQ(GetDocHomepageFromProductLine("PL1", out), 0);
  EXPECT_EQ(out, homepage);
  EXPECT_EQ(GetLabelFromProductLine("PL2", out), 0);
  EXPECT_STREQ(out, "");
}

}  // namespace
