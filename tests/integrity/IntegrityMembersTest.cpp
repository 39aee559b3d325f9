#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ZOLINSIntegrity.h"
#include "support/InstallTree.h"

namespace {

using zoltest::E;

class IntegrityMembers : public ::testing::Test {
 protected:
  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::InstallTree tree;
  ZOLUnicodeString report;
  int status = 1;
};

TEST_F(IntegrityMembers, CheckSumIsComparedAtLevelTwoOnly) {
  std::string path = tree.File("bin/a", "abc");  // 294
  auto toc = tree.Load({E("A")});
  char sum[] = "294", wrong[] = "295", zero[] = "0";
  ZOLUnicodeString none(":");
  EXPECT_EQ(toc->CheckCheckSum(1, sum, 2, 0, &path[0], none, ZOLINS_CODE, report, 0, status), 0);
  EXPECT_EQ(toc->CheckCheckSum(1, wrong, 1, 0, &path[0], none, ZOLINS_CODE, report, 0, status), 1);
  EXPECT_EQ(toc->CheckCheckSum(1, zero, 2, 0, &path[0], none, ZOLINS_CODE, report, 0, status), 1);
  EXPECT_EQ(toc->CheckCheckSum(0, wrong, 2, 0, &path[0], none, ZOLINS_CODE, report, 0, status), 1);
  EXPECT_EQ(status, 1);
  // The skip list counts only when it was read.
  ZOLUnicodeString skip(":a:");
  EXPECT_EQ(toc->CheckCheckSum(1, wrong, 2, 1, &path[0], skip, ZOLINS_CODE, report, 0, status), 1);
  EXPECT_EQ(toc->CheckCheckSum(1, wrong, 2, 0, &path[0], skip, ZOLINS_CODE, report, 0, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(report.str(), path + ": CheckSum mismatch. Bad or modified file");
}

TEST_F(IntegrityMembers, MissingFileExemptions) {
  auto toc = tree.Load({E("A")});
  std::string catalogue = "/x/msgcatalog/Korean/a.cat";
  ZOLUnicodeString skip(":d*gone.txt:");
  toc->CheckNLSOrFontsOrDeleted(&catalogue[0], 1, 1, 1, 1, 1, 1, 0, 1, skip, ZOLINS_CODE, report, 0,
                                status);
  std::string gone = "/x/gone.txt";
  toc->CheckNLSOrFontsOrDeleted(&gone[0], 1, 1, 1, 1, 1, 1, 1, 1, skip, ZOLINS_CODE, report, 0,
                                status);
  EXPECT_EQ(status, 1);
  toc->CheckNLSOrFontsOrDeleted(&catalogue[0], 1, 1, 1, 1, 1, 1, 1, 1, skip, ZOLINS_DOCUMENTATION,
                                report, 1, status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(report.str(), "FilenotFound|/x/msgcatalog/Korean/a.cat\n");
}

TEST_F(IntegrityMembers, ServicePackBoundAndBaseName) {
  auto toc = tree.Load({E("X").Pkg("FWK"), E("X.3").Pkg("FSP").Prereq("X").Spk(3), E("Y.1"),
                        E("Y.2"), E("Y.4"), E("Z.a")});
  char base[64];
  int spkMax = 0;
  char x3[] = "X.3", y1[] = "Y.1", za[] = "Z.a";
  toc->GetSPKMaxAndControlNameBase(x3, ZOLINS_CODE, 0, spkMax, base);
  EXPECT_EQ(spkMax, 0);  // no installed service pack: nothing is worked out
  toc->GetSPKMaxAndControlNameBase(x3, ZOLINS_CODE, 1, spkMax, base);
  EXPECT_STREQ(base, "X");
  EXPECT_EQ(spkMax, 3);
  toc->GetSPKMaxAndControlNameBase(y1, ZOLINS_CODE, 1, spkMax, base);
  EXPECT_STREQ(base, "Y");
  EXPECT_EQ(spkMax, 2);  // Y.3 is missing: Y.4 does not count
  toc->GetSPKMaxAndControlNameBase(za, ZOLINS_CODE, 1, spkMax, base);
  EXPECT_STREQ(base, "Z.a");
  EXPECT_EQ(spkMax, 0);

  // A caller's name longer than the base-name buffer is cut, not written past it.
  std::string longName = std::string(100, 'L') + ".1";
  char guarded[80];
  std::memset(guarded, '#', sizeof guarded);
  toc->GetSPKMaxAndControlNameBase(&longName[0], ZOLINS_CODE, 1, spkMax, guarded);
  EXPECT_EQ(std::string(guarded), std::string(63, 'L'));
  EXPECT_EQ(guarded[64], '#');
}

TEST_F(IntegrityMembers, ControlTextOfAnElement) {
  tree.Control("X", {"./control/X", "./bin/a 1", "./bin/b 2"});
  tree.File("control/X.2", "./control/X.2\n./bin/b 3\n\n./bin/c");
  auto toc = tree.Load({E("X")});
  ZOLUnicodeString checked(":");
  const std::string controlDir = tree / "control/";
  const int dirLength = static_cast<int>(controlDir.size());
  char name[] = "X";
  char* text = nullptr;
  ASSERT_EQ(
      toc->GetPathnameStr(0, 2, checked, name, ZOLINS_CODE, report, 0, status, ZOLUnicodeString(),
                          &text, ZOLUnicodeString(controlDir + "X"), dirLength),
      0);
  EXPECT_STREQ(text, "./control/X\n./bin/a 1\n./bin/b 2\n");
  delete[] text;
  ASSERT_EQ(
      toc->GetPathnameStr(1, 2, checked, name, ZOLINS_CODE, report, 0, status, ZOLUnicodeString(),
                          &text, ZOLUnicodeString(controlDir + "X"), dirLength),
      0);
  EXPECT_STREQ(text, "./control/X.2\n./bin/b 3\n\n./bin/c\n./control/X\n./bin/a 1\n");
  delete[] text;
  EXPECT_EQ(checked.str(), ":X:");
  EXPECT_EQ(
      toc->GetPathnameStr(1, 2, checked, name, ZOLINS_CODE, report, 0, status, ZOLUnicodeString(),
                          &text, ZOLUnicodeString(controlDir + "X"), dirLength),
      1);

  // The base lines are added only when the base element is installed.
  ZOLUnicodeString merged;
  char other[] = "W";
  EXPECT_EQ(toc->GetControleTotalStr(ZOLUnicodeString(controlDir + "X.2"), other,
                                     ZOLUnicodeString(controlDir + "W"), ZOLINS_CODE, report, 0,
                                     status, merged),
            0);
  EXPECT_EQ(merged.str(), "./control/X.2\n./bin/b 3\n\n./bin/c");
  EXPECT_EQ(toc->GetControleTotalStr(ZOLUnicodeString(controlDir + "X.2"), name,
                                     ZOLUnicodeString(controlDir + "gone"), ZOLINS_CODE, report, 0,
                                     status, merged),
            1);
  EXPECT_EQ(report.str(), controlDir + "gone: unable to determine this file's size");
  EXPECT_EQ(status, 0);
}

}  // namespace
