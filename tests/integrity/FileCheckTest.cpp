#include <string>

#include <gtest/gtest.h>

#include "support/InstallTree.h"

namespace {

using zoltest::Check;
using zoltest::E;
using zoltest::ScopedEnv;

class FileCheck : public ::testing::Test {
 protected:
  std::string NotFound(const std::string& relative) const {
    return tree / relative + ": file not found, possible trouble in case of removal";
  }
  std::string Mismatch(const std::string& relative) const {
    return tree / relative + ": CheckSum mismatch. Bad or modified file";
  }
  zoltest::CheckResult Run(ZOLINSInstToc& toc, int level, int compact = 0) const {
    return Check(toc, tree.root().c_str(), level, compact);
  }

  ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  ScopedEnv noSkipList{"ZOLReffilesPath", nullptr};
  zoltest::InstallTree tree;
};

TEST_F(FileCheck, SoundInstallation) {
  tree.File("bin/a", "abc");
  tree.File("bin/empty", "");
  tree.Control("A", {"./control/A", tree.Summed("./bin/a"), tree.Summed("./bin/empty")});
  auto toc = tree.Load({E("A")});
  for (int level : {0, 1, 2}) {
    const auto result = Run(*toc, level);
    EXPECT_EQ(result.status, 1) << level;
    EXPECT_EQ(result.report, "") << level;
  }
}

TEST_F(FileCheck, LevelZeroLooksForControlFilesOnly) {
  tree.Control("A", {"./control/A", "./bin/missing"});
  tree.Control("B07.x", {"./control/B07.x", "./bin/missing"});
  auto toc = tree.Load({E("A"), E("B"), E("D").Pkg("PDO"), E("B07.x"), E("B7.x")});
  const auto result = Run(*toc, 0);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.report, NotFound("control/B") + NotFound("control/B7.x"));
}

TEST_F(FileCheck, LevelsOneAndTwo) {
  tree.File("bin/a", "abc");
  tree.File("bin/zero", "not compared");
  tree.Control("A", {"./control/A", "./bin/a 999", "./bin/missing", "./bin/zero 0"});
  auto toc = tree.Load({E("A")});
  EXPECT_EQ(Run(*toc, 1).report, NotFound("bin/missing"));
  EXPECT_EQ(Run(*toc, 3).report, NotFound("bin/missing"));
  const auto result = Run(*toc, 2);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.report, Mismatch("bin/a") + NotFound("bin/missing"));
}

TEST_F(FileCheck, ElementsNamedLikeLevelsAreNotOpened) {
  for (const char* name : {"B07.any", "B7.x", "BA1.x"})
    tree.Control(name, {std::string("./control/") + name, "./bin/missing"});
  auto toc = tree.Load({E("B07.any"), E("B7.x"), E("BA1.x")});
  EXPECT_EQ(Run(*toc, 1).report, NotFound("bin/missing") + NotFound("bin/missing"));
}

TEST_F(FileCheck, MissingListOfVisibleNames) {
  tree.Remove("control/PCFG.list");
  tree.Control("A", {"./control/A"});
  tree.Control("D", {"./control/D"});
  auto code = tree.Load({E("A"), E("D").Type("documentation")});
  const auto result = Run(*code, 2, 1);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.report,
            tree / "control/PCFG.list : file not found, possible trouble in case of removal");
  auto docFirst = tree.Load({E("D").Type("documentation"), E("A")});
  EXPECT_EQ(Run(*docFirst, 2).status, 1);
}

TEST_F(FileCheck, DocumentationFindingsInCompactForm) {
  tree.Control("D", {"./control/D", "./doc/missing"});
  auto toc = tree.Load({E("D").Type("documentation"), E("E").Type("documentation")});
  EXPECT_EQ(Run(*toc, 1, 1).report,
            "FilenotFound|" + tree / "doc/missing" + "\nFilenotFound|" + tree / "control/E\n");
  EXPECT_EQ(Run(*toc, 1, 0).report, NotFound("doc/missing") + NotFound("control/E"));
}

TEST_F(FileCheck, InstallPathIsCleaned) {
  auto toc = tree.Load({E("A")});
  const std::string root = tree.root();
  const std::string messy = "  " + root.substr(0, 4) + "//" + root.substr(4) + "/  ";
  EXPECT_EQ(Check(*toc, messy.c_str(), 0).report, NotFound("control/A"));
}

TEST_F(FileCheck, MissingFilesOfLanguagesAndFontsThatAreNotInstalled) {
  tree.Control("A", {"./control/A", "./msgcatalog/Japanese/a.cat", "./msgcatalog/French/a.cat",
                     "./other/Japanese/a.cat", "./res/fonts/Stroke/KANJ.font"});
  auto toc = tree.Load({E("A")});
  tree.File("NLS.txt", "French\nGerman\n");
  EXPECT_EQ(Run(*toc, 1).report,
            NotFound("msgcatalog/French/a.cat") + NotFound("other/Japanese/a.cat"));
  tree.File("NLS.txt", "Japanese\nLanguage-indexed fonts\n");
  EXPECT_EQ(Run(*toc, 1).report, NotFound("msgcatalog/Japanese/a.cat") +
                                     NotFound("other/Japanese/a.cat") +
                                     NotFound("res/fonts/Stroke/KANJ.font"));
  tree.Remove("NLS.txt");
  EXPECT_EQ(Run(*toc, 1).report,
            NotFound("msgcatalog/Japanese/a.cat") + NotFound("msgcatalog/French/a.cat") +
                NotFound("other/Japanese/a.cat") + NotFound("res/fonts/Stroke/KANJ.font"));
}

TEST_F(FileCheck, SkipListExemptsRemovedAndModifiedFiles) {
  tree.File("bin/g.txt", "changed");
  tree.File("bin/h.txt", "changed");
  tree.Control(
      "A", {"./control/A", "./bin/f.txt 12", "./bin/g.txt 5", "./bin/h.txt 5", "./bin/gone.txt"});
  auto toc = tree.Load({E("A")});
  const std::string all = NotFound("bin/f.txt") + Mismatch("bin/g.txt") + Mismatch("bin/h.txt") +
                          NotFound("bin/gone.txt");
  EXPECT_EQ(Run(*toc, 2).report, all);

  tree.File("refs/b/CI3SkippedFiles", "d*f.txt\ng.txt\n");
  const std::string paths = tree / "refs/a" + ":" + tree / "refs/b" + ":";
  ScopedEnv reffiles("ZOLReffilesPath", paths.c_str());
  EXPECT_EQ(Run(*toc, 2).report, Mismatch("bin/h.txt") + NotFound("bin/gone.txt"));
}

TEST_F(FileCheck, ServicePackMergedWithItsBase) {
  tree.File("bin/a", "a");
  tree.File("bin/b", "new b");
  tree.File("bin/y", "y");
  tree.Control("X", {"./control/X", tree.Summed("./bin/a"), "./bin/b 5", "./bin/c"});
  tree.Control("X.2", {"./control/X.2", tree.Summed("./bin/b"), "./bin/d"});
  tree.Control("Y", {"./control/Y", "./bin/y 5"});
  tree.Control("P", {"./control/P"});
  tree.Control("SP2", {"./control/SP2"});
  auto toc =
      tree.Load({E("X").Pkg("FWK"), E("P").Prereq("X Y"), E("X.2").Pkg("FSP").Prereq("X").Spk(2),
                 E("Y"), E("SP2").Pkg("SPK").Spk(2).Ifreq("X/X.2")});
  // X.2 first, then the lines of X that X.2 does not list; the record X.2 is not checked again.
  const auto result = Run(*toc, 2);
  EXPECT_EQ(result.report, NotFound("bin/d") + NotFound("bin/c") + Mismatch("bin/y"));

  // Without an installed service pack every element is checked from its own control file.
  auto plain = tree.Load(
      {E("X").Pkg("FWK"), E("P").Prereq("X Y"), E("X.2").Pkg("FSP").Prereq("X").Spk(2), E("Y")});
  EXPECT_EQ(Run(*plain, 2).report, "X.2 :alone FSP (no SPK prereqs it)" + Mismatch("bin/b") +
                                       NotFound("bin/c") + NotFound("bin/d") + Mismatch("bin/y"));
}

TEST_F(FileCheck, ServicePacksWithoutTheirBase) {
  tree.Control("Z.1", {"./control/Z.1", "./bin/one"});
  tree.Control("Z.2", {"./control/Z.2", "./bin/two"});
  auto toc = tree.Load({E("Z.1"), E("Z.2"), E("S").Pkg("SPK").Spk(1)});
  tree.Control("S", {"./control/S"});
  // Z is not installed: Z.2, the newest consecutive one, stands alone.
  EXPECT_EQ(Run(*toc, 1).report, NotFound("bin/two"));
  tree.Remove("control/Z.2");
  EXPECT_EQ(Run(*toc, 1).report,
            tree / "control/Z.2: unable to determine this file's size" + NotFound("control/Z.2"));
}

TEST_F(FileCheck, UnreadableControlFilesSkipTheirElement) {
  tree.Control("E", {});
  tree.File("control/F/inside", "");  // a directory where the control file should be
  tree.Control("G", {"./control/G", "./bin/missing"});
  auto toc = tree.Load({E("E"), E("F"), E("G")});
  const auto result = Run(*toc, 1);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.report, tree / "control/E: unable to read this file" +
                               tree / "control/F: unable to read this file" +
                               NotFound("bin/missing"));
}

TEST_F(FileCheck, UnreadableListedFile) {
  tree.File("bin/dir/inside", "");
  tree.Control("A", {"./control/A", "./bin/dir 12"});
  auto toc = tree.Load({E("A")});
  EXPECT_EQ(Run(*toc, 2).report, tree / "bin/dir: unable to open this file in reading mode");
}

TEST_F(FileCheck, SelfLineFurtherDownClimbsAboveTheRoot) {
  // The installation root is <tree>/inst; its control file lists paths from <tree>.
  tree.File("lib/l", "l");
  tree.File("inst/control/PCFG.list", "");
  tree.File("inst/control/A", "./inst/control/A\n" + tree.Summed("./lib/l") + "\n./lib/gone\n");
  std::string present = tree.File("inst/control/PRESENT", E("A").Line() + "\n");
  auto toc = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString message;
  ASSERT_EQ(toc->InitInst(&present[0], message), 1);
  EXPECT_EQ(Check(*toc, (tree / "inst").c_str(), 2).report, NotFound("lib/gone"));
}

TEST_F(FileCheck, LongPathsLongLinesAndNoFinalLineFeed) {
  std::string deep = "bin";
  for (int i = 0; i < 12; ++i) deep += "/" + std::string(40, static_cast<char>('a' + i));
  tree.File(deep + "/f", "f");
  tree.File("control/A",
            "./control/A\n" + tree.Summed("./" + deep + "/f") + " trailing\n./" + deep + "/gone");
  auto toc = tree.Load({E("A")});
  EXPECT_EQ(Run(*toc, 2).report, Mismatch(deep + "/f") + NotFound(deep + "/gone"));

  // A service pack without a final line feed keeps its last line apart from the base lines.
  tree.File("control/S", "./control/S\n");
  tree.File("control/X", "./control/X\n./bin/base\n");
  tree.File("control/X.1", "./control/X.1\n./bin/pack");
  auto packed = tree.Load({E("X").Pkg("FWK"), E("X.1").Pkg("FSP").Prereq("X").Spk(1),
                           E("P").Prereq("X"), E("S").Pkg("SPK").Spk(1).Ifreq("X/X.1")});
  tree.Control("P", {});
  EXPECT_EQ(Run(*packed, 1).report, NotFound("bin/pack") + NotFound("bin/base") +
                                        tree / "control/P: unable to read this file");
}

}  // namespace
