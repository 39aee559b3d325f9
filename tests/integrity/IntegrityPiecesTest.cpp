#include <string>

#include <gtest/gtest.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSIntegrity.h"
#include "support/TestSupport.h"

namespace {

using zoltest::ScopedEnv;
using zoltest::TempDir;

std::string Cleaned(std::string path) {
  CleanPath(&path[0]);
  return path.c_str();
}

TEST(IntegrityText, CleanPathTrimsBlanksAndSlashes) {
  EXPECT_EQ(Cleaned(" /inst//x/ "), "/inst/x");
  EXPECT_EQ(Cleaned("/a///b////"), "/a/b");
  EXPECT_EQ(Cleaned("/"), "");
  EXPECT_EQ(Cleaned("   "), "");
  EXPECT_EQ(Cleaned(" a b "), "a b");
  const std::string deep = "/" + std::string(600, 'd') + "//" + std::string(600, 'e') + "/";
  EXPECT_EQ(Cleaned(deep), "/" + std::string(600, 'd') + "/" + std::string(600, 'e'));
  CleanPath(nullptr);

  char text[] = "a::b:::";
  RemoveLastCharacters(text, ':');
  EXPECT_STREQ(text, "a::b");
  char only[] = "///";
  RemoveLastCharacters(only, '/');
  EXPECT_STREQ(only, "");
}

TEST(IntegrityText, CheckedListAddsEachNameOnce) {
  ZOLUnicodeString checked(":");
  char x[] = "X", xy[] = "XY";
  EXPECT_EQ(TestChecked(xy, checked), 0);
  EXPECT_EQ(TestChecked(x, checked), 0);  // ":XY:" does not hold ":X:"
  EXPECT_EQ(TestChecked(xy, checked), 1);
  EXPECT_EQ(checked.str(), ":XY:X:");
  EXPECT_EQ(TestChecked(nullptr, checked), 0);
  EXPECT_EQ(checked.str(), ":XY:X:");
}

TEST(IntegrityText, SelfLineFixesTheBaseOfTheListedFiles) {
  char element[] = "E";
  char twoSlashes[] = "./bin/a 12\n\n./control/E\n";
  char threeSlashes[] = "./bin/a 12\n./x/control/E 0\n";
  char noSelf[] = "./control/F\n./xcontrol/G\n./bin/E";
  EXPECT_EQ(GetNbPPSlash(twoSlashes, element), 0);
  EXPECT_EQ(GetNbPPSlash(threeSlashes, element), 1);
  EXPECT_EQ(GetNbPPSlash(noSelf, element), 0);
  EXPECT_STREQ(threeSlashes, "./bin/a 12\n./x/control/E 0\n");

  char base[256];
  char root[] = "/inst/x";
  InitializeFilesListLine(base, root, twoSlashes, element);
  EXPECT_STREQ(base, "/inst/x");
  InitializeFilesListLine(base, root, threeSlashes, element);
  EXPECT_STREQ(base, "/inst");
  char climbTwo[] = "./a/b/control/E\n";
  InitializeFilesListLine(base, root, climbTwo, element);
  EXPECT_STREQ(base, "");  // the root less two components: "/"
  char climbThree[] = "./a/b/c/control/E\n";
  InitializeFilesListLine(base, root, climbThree, element);
  EXPECT_STREQ(base, "/inst/x/");  // not that many components: the root stays

  // A root longer than the caller's 256 bytes is cut, never written past them.
  std::string longRoot = "/" + std::string(400, 'r');
  char guarded[300];
  std::fill(guarded, guarded + sizeof guarded, '#');
  InitializeFilesListLine(guarded, &longRoot[0], twoSlashes, element);
  EXPECT_EQ(std::string(guarded), longRoot.substr(0, 255));
  EXPECT_EQ(guarded[256], '#');
}

TEST(IntegrityInputs, LanguagesComeFromNlsTxt) {
  TempDir dir;
  int f[8];
  auto read = [&](std::string root) {
    std::fill(f, f + 8, 0);
    WhichNLSFontsInstalled(&root[0], f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]);
    return std::vector<int>(f, f + 8);
  };
  EXPECT_EQ(read(dir.path()), std::vector<int>(8, 1));  // no NLS.txt: everything installed
  dir.Write("NLS.txt", "German\r\nKorean\nJapanese \nLanguage-indexed fonts\nSpanish\nFrench");
  EXPECT_EQ(read(dir.path()), (std::vector<int>{1, 1, 0, 0, 0, 0, 1, 1}));
  dir.Write("NLS.txt", "");
  EXPECT_EQ(read(dir.path()), std::vector<int>(8, 0));
}

TEST(IntegrityInputs, SkipListComesFromTheFirstDirectoryHoldingIt) {
  TempDir dir;
  dir.Write("b/CI3SkippedFiles", "f.txt\nd*g.txt\n\nlast");
  dir.Write("c/CI3SkippedFiles", "other\n");
  ZOLUnicodeString list("old");
  {
    ScopedEnv unset("ZOLReffilesPath", nullptr);
    EXPECT_EQ(GetCI3SkippedFilesStr(list), 0);
    EXPECT_EQ(list.str(), ":");
  }
  const std::string paths = dir / "a" + ":" + dir / "b" + ":" + dir / "c" + ":";
  {
    ScopedEnv env("ZOLReffilesPath", paths.c_str());
    EXPECT_EQ(GetCI3SkippedFilesStr(list), 1);
    EXPECT_EQ(list.str(), ":f.txt:d*g.txt::last:");
  }
  {
    // The last directory is taken without a look: here it has no list.
    const std::string missingLast = dir / "a" + ":" + dir / "none";
    ScopedEnv env("ZOLReffilesPath", missingLast.c_str());
    EXPECT_EQ(GetCI3SkippedFilesStr(list), 0);
    EXPECT_EQ(list.str(), ":");
  }
  {
    dir.Write("e/CI3SkippedFiles", "");
    const std::string empty = dir / "e";
    ScopedEnv env("ZOLReffilesPath", empty.c_str());
    EXPECT_EQ(GetCI3SkippedFilesStr(list), 0);
  }
}

TEST(IntegrityFindings, DocumentationFindingsHaveACompactForm) {
  ScopedEnv noCatalogue("ZOL_MSGCAT_PATH", nullptr);
  auto toc = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString report("x");
  char cls[] = "Prereq", a[] = "A", b[] = "B", key[] = "CheckIntegrity.Prereq";
  char format[] = "%s is a prerequisite of %s, but is not installed";
  EXPECT_EQ(toc->throwError(ZOLINS_DOCUMENTATION, cls, a, b, format, key, report, 1), 1);
  EXPECT_EQ(toc->throwError(ZOLINS_DOCUMENTATION, cls, a, nullptr, format, key, report, 1), 1);
  EXPECT_EQ(toc->throwError(ZOLINS_CODE, cls, a, b, format, key, report, 1), 2);
  EXPECT_EQ(toc->throwError(ZOLINS_DOCUMENTATION, cls, b, a, format, key, report, 0), 2);
  EXPECT_EQ(report.str(),
            "xPrereq|A|B\nPrereq|A\nA is a prerequisite of B, but is not installed"
            "B is a prerequisite of A, but is not installed");

  // The default text grows with its arguments.
  std::string longName(500, 'n');
  ZOLUnicodeString longReport;
  char oneArg[] = "%s: unable to read this file", readKey[] = "CheckIntegrity.readFailed";
  EXPECT_EQ(
      toc->throwError(ZOLINS_CODE, cls, &longName[0], nullptr, oneArg, readKey, longReport, 0), 1);
  EXPECT_EQ(longReport.str(), longName + ": unable to read this file");
}

TEST(IntegrityFindings, NoInterruptNoMessage) {
  ZOLUnicodeString report;
  EXPECT_EQ(CheckInterrupt(report), 0);
  EXPECT_EQ(report.str(), "");
}

}  // namespace
