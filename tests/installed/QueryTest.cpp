#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "ZOLINSPresent.h"
#include "ZOLINSQuery.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;
using zoltest::RunInChild;

// The levels and the installed TOC are kept for the life of the process: every test that asks for
// them runs in a child process.
class Queries : public ::testing::Test {
 protected:
  // Writes root/control/PRESENT; returns the root.
  std::string Installation(const std::string& root, const std::string& text) {
    dir.Write(root + "/control/PRESENT", text);
    return dir / root;
  }
  static std::string Levels(const std::string& ga, const std::string& spkNames,
                            const std::string& hfxName) {
    std::string text = E("BASE").Ga(ga).Pkg("FWK").Line() + "\n";
    std::size_t start = 0;
    while (start < spkNames.size()) {
      const std::size_t end = std::min(spkNames.find(' ', start), spkNames.size());
      text += E(spkNames.substr(start, end - start)).Ga(ga).Pkg("SPK").Line() + "\n";
      start = end + 1;
    }
    if (!hfxName.empty()) text += E(hfxName).Ga(ga).Pkg("HFX").Line() + "\n";
    return text;
  }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::ScopedEnv noInstallPath{"ZOLInstallPath", nullptr};
  zoltest::TempDir dir;
};

TEST_F(Queries, WithoutInstallPathNothingIsRead) {
  EXPECT_EQ(RunInChild([&] {
              auto notSet = [](const std::string& entry) {
                return " Error ( " + entry +
                       " ) : ZOLInstallPath is not set. Verify your environment.\n\n";
              };
              EXPECT_EQ(zoltest::CaptureStderr([] { EXPECT_EQ(ZOLGetSPKLevel(nullptr), -1); }),
                        notSet("ZOLGetSPKLevel"));
              EXPECT_EQ(zoltest::CaptureStderr([] { EXPECT_EQ(ZOLGetGALevel(nullptr), nullptr); }),
                        notSet("ZOLGetGALevel"));
              EXPECT_EQ(zoltest::CaptureStderr([] { EXPECT_EQ(ZOLGetHFXLevel(""), -1); }),
                        notSet("ZOLGetHFXlevel"));
              EXPECT_EQ(zoltest::CaptureStderr([] { EXPECT_EQ(ZOLIsInstalled("A", nullptr), -1); }),
                        notSet("ZOLIsInstalled"));
              EXPECT_EQ(ZOLIsInstalled(nullptr, "/x"), -1);
              return 0;
            }),
            0);
}

TEST_F(Queries, RootsWithoutPresentAreReported) {
  EXPECT_EQ(
      RunInChild([&] {
        const std::string a = dir / "a", b = dir / "b";
        const std::string roots = a + ":" + b;
        EXPECT_EQ(
            zoltest::CaptureStderr([&] { EXPECT_EQ(ZOLIsInstalled("A", roots.c_str()), -1); }),
            " Error ( ZOLIsInstalled ) : File " + b +
                "/control/PRESENT is not found. Check Setup integrity.\n\n");
        // An empty entry ends the list, here before anything was tried.
        const std::string emptyFirst = ":" + Installation("c", Levels("R1", "", ""));
        EXPECT_EQ(zoltest::CaptureStderr([&] { ZOLGetGALevel(emptyFirst.c_str()); }),
                  " Error ( ZOLGetGALevel ) : File  is not found. Check Setup integrity.\n\n");
        return 0;
      }),
      0);
}

TEST_F(Queries, LevelsComeFromTheFirstRootHoldingPresent) {
  const std::string root = Installation("second", Levels("R1", "BASE.1 BASE.2", "BASE.2.7"));
  const zoltest::ScopedEnv roots("ZOLInstallPath", (dir / "first:" + root).c_str());
  EXPECT_EQ(RunInChild([&] {
              EXPECT_STREQ(ZOLGetGALevel(nullptr), "R1");
              EXPECT_EQ(ZOLGetSPKLevel(nullptr), 2);
              EXPECT_EQ(ZOLGetHFXLevel(nullptr), 7);
              return 0;
            }),
            0);
  EXPECT_EQ(RunInChild([&] {
              Installation("second", Levels("R2", "", "") + std::string(10000, 'x') + "\n");
              EXPECT_EQ(ZOLGetSPKLevel(nullptr), 0);
              EXPECT_EQ(ZOLGetHFXLevel(nullptr), 0);
              EXPECT_STREQ(ZOLGetGALevel(nullptr), "R2");
              return 0;
            }),
            0);
}

TEST_F(Queries, LevelsAreReadOnceUnlessAnInstallationIsNamed) {
  const std::string root = Installation("i", Levels("R1", "BASE.1", ""));
  const zoltest::ScopedEnv roots("ZOLInstallPath", root.c_str());
  EXPECT_EQ(RunInChild([&] {
              const char* first = ZOLGetGALevel(nullptr);
              EXPECT_STREQ(first, "R1");
              Installation("i", Levels("R9", "BASE.1 BASE.3", "BASE.3.4"));
              EXPECT_EQ(ZOLGetSPKLevel(nullptr), 1);
              EXPECT_EQ(ZOLGetGALevel(nullptr), first);
              EXPECT_EQ(ZOLGetSPKLevel(root.c_str()), 3);
              EXPECT_EQ(ZOLGetHFXLevel(nullptr), 4);
              EXPECT_STREQ(ZOLGetGALevel(nullptr), "R9");
              EXPECT_STREQ(first, "R1");  // a buffer handed out stays valid
              return 0;
            }),
            0);
}

TEST_F(Queries, UnreadableFirstLinesAndEmptyFiles) {
  EXPECT_EQ(RunInChild([&] {
              const std::string root = Installation("bad", "code:NOPE:A::::0::os1:ga1:0:L:\n");
              const std::string path = root + "/control/PRESENT";
              EXPECT_EQ(
                  zoltest::CaptureStderr([&] { EXPECT_EQ(ZOLGetSPKLevel(root.c_str()), -1); }),
                  "ZOLINSInstToc: Init of line number 1 from " + path +
                      " failed\nZOLINSUnitToc: unknown package: NOPE\n\n");
              // The failed read is tried again by the next call.
              const zoltest::ScopedEnv roots("ZOLInstallPath", root.c_str());
              Installation("bad", Levels("R1", "BASE.5", ""));
              EXPECT_EQ(ZOLGetSPKLevel(nullptr), 5);
              return 0;
            }),
            0);
  EXPECT_EQ(RunInChild([&] {
              // A file that ends before its first line counts as read.
              const std::string root = Installation("empty", "");
              const zoltest::ScopedEnv roots("ZOLInstallPath", root.c_str());
              EXPECT_EQ(ZOLGetSPKLevel(nullptr), -1);
              Installation("empty", Levels("R1", "BASE.5", ""));
              EXPECT_EQ(ZOLGetSPKLevel(nullptr), -1);
              EXPECT_EQ(ZOLGetSPKLevel(root.c_str()), 5);
              return 0;
            }),
            0);
}

TEST_F(Queries, InstalledMeansInstalledAsCode) {
  const std::string root =
      Installation("i", zoltest::TocText({E("C"), E("D").Type("documentation")}));
  const zoltest::ScopedEnv roots("ZOLInstallPath", root.c_str());
  EXPECT_EQ(RunInChild([&] {
              EXPECT_EQ(ZOLIsInstalled("C", nullptr), 1);
              EXPECT_EQ(ZOLIsInstalled("D", nullptr), 0);
              Installation("i", zoltest::TocText({E("D")}));
              EXPECT_EQ(ZOLIsInstalled("C", nullptr), 1);  // the table loaded first stands
              EXPECT_EQ(ZOLIsInstalled("C", root.c_str()), 0);
              EXPECT_EQ(ZOLIsInstalled("D", nullptr), 1);
              return 0;
            }),
            0);
  EXPECT_EQ(RunInChild([&] {
              Installation("i", zoltest::TocText({E("C"), E("C")}));
              EXPECT_EQ(zoltest::CaptureStderr([] { EXPECT_EQ(ZOLIsInstalled("C", nullptr), -1); }),
                        "ZOLINSInstToc:Duplicate entry in " + root + "/control/PRESENT\n\n");
              Installation("i", zoltest::TocText({E("C")}));
              EXPECT_EQ(ZOLIsInstalled("C", nullptr), 1);
              return 0;
            }),
            0);
}

TEST_F(Queries, StateIsReleasedCleanlyAtExit) {
  const std::string root = Installation("i", Levels("R1", "BASE.1", ""));
  // Unlike RunInChild, the child ends with exit(): the library's state is destroyed as at the end
  // of any program, under the sanitizers' eyes when they are built in.
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const bool ok = ZOLGetGALevel(root.c_str()) && ZOLGetGALevel(root.c_str()) &&
                    ZOLIsInstalled("BASE", root.c_str()) == 1 &&
                    SetDocPresentFile((root + "/control/PRESENT").c_str()) == 0 &&
                    SetDocPresentFile((root + "/control/PRESENT").c_str()) == 0;
    std::exit(ok ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(QEBReadFileTest, LinesOfAnyLengthComeWhole) {
  zoltest::TempDir dir;
  const std::string longLine = std::string(3000, 'a') + "\n";
  const std::string exact = std::string(1023, 'b');  // one full buffer, then the end of the file
  const std::string path = dir.Write("F", longLine + "\n" + exact + "\n" + "last");
  long rc = -5;
  QEBReadFile file(path.c_str(), rc);
  ASSERT_EQ(rc, 0);
  ZOLUnicodeString line("stale");
  EXPECT_EQ(file.GetNextLine(line), 0);
  EXPECT_EQ(line.str(), longLine);
  EXPECT_EQ(file.GetNextLine(line), 0);
  EXPECT_EQ(line.str(), "\n");
  EXPECT_EQ(file.GetNextLine(line), 0);
  EXPECT_EQ(line.str(), exact + "\n");
  EXPECT_EQ(file.GetNextLine(line), 0);
  EXPECT_EQ(line.str(), "last");
  EXPECT_EQ(file.GetNextLine(line), 1);
  EXPECT_EQ(line.str(), "");

  const std::string full = dir.Write("G", exact + exact);
  QEBReadFile whole(full.c_str(), rc);
  EXPECT_EQ(whole.GetNextLine(line), 0);
  EXPECT_EQ(line.str(), exact + exact);
  EXPECT_EQ(whole.GetNextLine(line), 1);

  QEBReadFile missing((dir / "none").c_str(), rc);
  EXPECT_EQ(rc, -1);
  EXPECT_EQ(static_cast<unsigned>(missing.GetNextLine(line)), 0x80004005u);
}

TEST(ProductLine, TextsComeFromTheProductLineCatalogue) {
  zoltest::TempDir dir;
  dir.Write("ZOLProductLine.msgcat",
            "PL1.Label = Product line one\nPL1.Copyright = (c) 2026\n"
            "PL1.DocHomepage = " +
                std::string(600, 'h') + "\n");
  const zoltest::ScopedEnv catalogues("ZOL_MSGCAT_PATH", dir.path().c_str());
  const zoltest::ScopedEnv lang("LANG", "C");
  char out[1024] = "stale";
  EXPECT_EQ(GetLabelFromProductLine("PL1", out), 0);
  EXPECT_STREQ(out, "Product line one");
  EXPECT_EQ(GetCopyrightFromProductLine("PL1", out), 0);
  EXPECT_STREQ(out, "(c) 2026");
  EXPECT_EQ(GetDocHomepageFromProductLine("PL1", out), 0);
  EXPECT_EQ(std::string(out), std::string(600, 'h'));
  EXPECT_EQ(GetLabelFromProductLine("PL2", out), 0);
  EXPECT_STREQ(out, "");
}

}  // namespace
