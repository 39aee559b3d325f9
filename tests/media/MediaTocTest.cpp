#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSMediaToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;

class MediaToc : public ::testing::Test {
 protected:
  int Load(const std::string& text) {
    path = dir.Write("MEDIA.TOC", text);
    return toc.InitMedia(&path[0], message);
  }
  // Media lines numbered from order 3, all on medium A, archive size 1000 * (i + 1).
  static std::string Numbered(std::initializer_list<E> elements) {
    std::string text;
    int i = 0;
    for (const E& e : elements) {
      text += e.MediaLine("A", i + 3, 1000u * (i + 1)) + "\n";
      ++i;
    }
    return text;
  }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::TempDir dir;
  std::string path;
  ZOLINSMediaToc toc;
  ZOLUnicodeString message;
};

TEST_F(MediaToc, PrefixFieldsComeBeforeTheRecord) {
  ASSERT_EQ(Load(E("X").MediaLine("A", 5, 1200) + "\n" + E("Y").MediaLine("   ", 6, 0) + "\n" +
                 "::7:" + E("Z").Line() + "\n"),
            1)
      << message.str();
  ASSERT_EQ(toc.GetNbToc(), 3);
  EXPECT_EQ(toc.GetIiemePrefixToc(0)->GetMedia(), 'A');
  EXPECT_EQ(toc.GetIiemePrefixToc(0)->GetOrder(), 5);
  EXPECT_EQ(toc.GetIiemePrefixToc(0)->GetSizeCaf(), 1200u);
  EXPECT_EQ(toc.GetIiemePrefixToc(1)->GetMedia(), '\0');
  EXPECT_EQ(toc.GetIiemePrefixToc(2)->GetMedia(), '\0');
  EXPECT_EQ(toc.GetIiemePrefixToc(2)->GetOrder(), 0);
  EXPECT_EQ(toc.GetIiemePrefixToc(2)->GetSizeCaf(), 7u);
  EXPECT_STREQ(toc.GetIiemeUnitToc(2)->GetName(), "Z");
  EXPECT_EQ(toc.GetIiemePrefixToc(3), nullptr);
  EXPECT_EQ(toc.GetPrereqCheck(), 0);
}

TEST_F(MediaToc, RefusedLineNamesItsNumber) {
  const std::string text = Numbered({E("A"), E("B")}) + "A:5:0:code:FIX:C::::0::::0:L:\n";
  EXPECT_EQ(Load(text), -1);
  EXPECT_EQ(toc.GetNbToc(), -1);
  EXPECT_EQ(message.str(), "ZOLINSMediaToc: Init of line number 3 from " + path +
                               " failed\nZOLINSUnitToc: unknown package: FIX\n");
  EXPECT_EQ(toc.GetIndex("A", ZOLINS_CODE), -1);  // a failed medium looks empty
  EXPECT_EQ(Load(Numbered({E("A"), E("B").Ga("other")})), -1);
  EXPECT_NE(message.str().find("GA level mismatch on line number 2"), std::string::npos);
}

TEST_F(MediaToc, GetIndexIUsesTheDirectPositionThenScans) {
  ASSERT_EQ(Load(Numbered({E("A"), E("B"), E("C")})), 1);
  EXPECT_EQ(toc.GetIndexI(5), 2);
  EXPECT_EQ(toc.GetIndexI(3), 0);
  EXPECT_EQ(toc.GetIndexI(2), -1);
  EXPECT_EQ(toc.GetIndexI(-4), -1);
  ASSERT_EQ(Load(E("A").MediaLine("A", 9, 0) + "\n" + E("B").MediaLine("A", 2, 0) + "\n" +
                 E("C").MediaLine("A", 9, 0) + "\n"),
            1);
  EXPECT_EQ(toc.GetIndexI(9), 0);
  EXPECT_EQ(toc.GetIndexI(2), 1);
  EXPECT_EQ(toc.GetIndexI(3), -1);
}

TEST_F(MediaToc, GetIndexIFollowsReloadsAndRemovals) {
  ASSERT_EQ(Load(E("A").MediaLine("A", 9, 0) + "\n" + E("B").MediaLine("A", 20, 0) + "\n"), 1);
  EXPECT_EQ(toc.GetIndexI(20), 1);
  ASSERT_EQ(Load(E("A").MediaLine("A", 20, 0) + "\n" + E("B").MediaLine("A", 9, 0) + "\n"), 1);
  EXPECT_EQ(toc.GetIndexI(20), 0);
  EXPECT_EQ(toc.GetIndexI(9), 1);
  // A removed record takes its prefix entry with it: entry i stays record i's.
  ZOLUnicodeString unused;
  ASSERT_EQ(toc.Remove("A", ZOLINS_CODE, unused), 1);
  EXPECT_EQ(toc.GetIndexI(9), 0);
  EXPECT_EQ(toc.GetIndexI(20), -1);
  EXPECT_STREQ(toc.GetIiemeUnitToc(0)->GetName(), "B");
  EXPECT_EQ(toc.GetIiemePrefixToc(0)->GetOrder(), 9);
  EXPECT_EQ(toc.GetIiemePrefixToc(1), nullptr);
}

TEST_F(MediaToc, RecordLinesAndDocumentationPrerequisites) {
  ASSERT_EQ(Load(Numbered({E("P").Prereq("Q"), E("D").Type("documentation").Prereq("D1 D2")})), 1);
  ZOLUnicodeString line("old");
  char name[ZOLINS_NAME_SIZE] = "P";
  EXPECT_EQ(toc.GetUnitToc(line, name), 0);
  EXPECT_EQ(line.str(), E("P").Prereq("Q ").Line());
  char missing[ZOLINS_NAME_SIZE] = "None";
  EXPECT_EQ(toc.GetUnitToc(line, missing), -1);
  char doc[ZOLINS_NAME_SIZE] = "D";
  EXPECT_EQ(toc.GetNbPrereqOf(doc), 2);
  EXPECT_EQ(toc.GetNbPrereqOf(name), -1);  // P is code, not documentation
  char out[ZOLINS_NAME_SIZE];
  EXPECT_EQ(toc.GetIiemePrereqOf(doc, 1, out), 0);
  EXPECT_STREQ(out, "D2");
  toc.GetIiemePrereqOf(doc, 5, out);
  EXPECT_STREQ(out, "");
}

TEST_F(MediaToc, ConfigurationsAndProductsToInstall) {
  ASSERT_EQ(
      Load(Numbered({E("P"), E("S").Pkg("SLT"), E("F").Pkg("FWK"), E("D").Type("documentation")})),
      1);
  char names[5][ZOLINS_NAME_SIZE] = {"F", "S", "D", "P", "none"};
  char out[5][ZOLINS_NAME_SIZE];
  int nbOut = -1;
  toc.GetTabCFGPRDToInstall(names, 5, out, nullptr);
  toc.GetTabCFGPRDToInstall(names, 5, out, &nbOut);
  ASSERT_EQ(nbOut, 2);
  EXPECT_STREQ(out[0], "S");
  EXPECT_STREQ(out[1], "P");
  toc.GetTabCFGPRDToInstall(names, 0, out, &nbOut);
  EXPECT_EQ(nbOut, 0);
}

TEST_F(MediaToc, SizeSums) {
  ASSERT_EQ(Load(Numbered({E("A").Size(50).Langs("100 200 400"), E("B").Size(70).Langs("300"),
                           E("C").Size(60)})),
            1);
  std::unique_ptr<char[][ZOLINS_NAME_SIZE]> names(new char[4097][ZOLINS_NAME_SIZE]());
  std::snprintf(names[0], ZOLINS_NAME_SIZE, "A");
  std::snprintf(names[1], ZOLINS_NAME_SIZE, "B");
  std::snprintf(names[2], ZOLINS_NAME_SIZE, "zzz");
  EXPECT_EQ(toc.GetMaxSizeCaf(3, names.get()), 70u);
  EXPECT_EQ(toc.GetMaxSizeCaf(0, names.get()), 0u);
  EXPECT_EQ(toc.GetMaxSizeCaf(4097, names.get()), 0u);
  EXPECT_EQ(toc.GetMaxSizeCaf(4096, names.get()), 70u);

  unsigned int largest = 99;
  EXPECT_EQ(toc.GetSizeFilesToRemove(0, 1, names.get(), largest), 700u);
  EXPECT_EQ(largest, 0u);
  EXPECT_EQ(toc.GetSizeFilesToRemove(0, 3, names.get(), largest), 1000u);
  EXPECT_EQ(largest, 700u);
  EXPECT_EQ(toc.GetSizeFilesToRemove(2, 3, names.get(), largest), 800u);  // size 1 left out
  EXPECT_EQ(toc.GetSizeFilesToRemove(255, 3, names.get(), largest), 0u);
  EXPECT_EQ(toc.GetSizeFilesToRemove(0, 4097, names.get(), largest), 0u);
}

TEST_F(MediaToc, SixtyThousandLinesLoad) {
  std::string text;
  for (int i = 0; i < 60000; ++i)
    text +=
        E("E" + std::to_string(i)).Prereq("E" + std::to_string(i / 2)).MediaLine("A", i + 3, 9) +
        "\n";
  ASSERT_EQ(Load(text), 1);
  EXPECT_EQ(toc.GetNbToc(), 60000);
  EXPECT_EQ(toc.GetIndex("E59999", ZOLINS_CODE), 59999);
  EXPECT_EQ(toc.GetIndexI(60002), 59999);
}

}  // namespace
