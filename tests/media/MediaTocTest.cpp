#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSMediaToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;

class MediaToc : public zoltest::TocTest {
 protected:
  int Load(const std::string& text) {
    path = dir.Write("MEDIA.TOC", text);
    return toc.InitMedia(&path[0], message);
  }
  // Line i on medium A with archive size 1000 * (i + 1), order i + 3 unless `orders` are given.
  static std::string Media(std::initializer_list<E> elements, std::vector<int> orders = {}) {
    std::string text;
    for (int i = 0; i < static_cast<int>(elements.size()); ++i)
      text +=
          elements.begin()[i].MediaLine("A", orders.empty() ? i + 3 : orders[i], 1000u * (i + 1)) +
          "\n";
    return text;
  }
  // Every prefix entry as medium:order:archive size ("-" for no medium).
  std::string Prefixes() const {
    std::string out;
    for (int i = 0; i < toc.GetNbToc(); ++i) {
      const ZOLINSPrefixToc& p = *toc.GetIiemePrefixToc(i);
      out += (i ? " " : "") + (p.GetMedia() ? std::string(1, p.GetMedia()) : "-") + ":" +
             std::to_string(p.GetOrder()) + ":" + std::to_string(p.GetSizeCaf());
    }
    return out;
  }

  ZOLINSMediaToc toc;
};

TEST_F(MediaToc, PrefixFieldsComeBeforeTheRecord) {
  toc.SetPrereqCheck(1);
  ASSERT_EQ(Load(E("X").MediaLine("A", 5, 1200) + "\n" + E("Y").MediaLine("   ", 6, 0) + "\n" +
                 "::7:" + E("Z").Line() + "\n"),
            1)
      << message.str();
  EXPECT_EQ(Prefixes(), "A:5:1200 -:6:0 -:0:7");
  EXPECT_STREQ(toc.GetIiemeUnitToc(2)->GetName(), "Z");
  EXPECT_EQ(toc.GetIiemePrefixToc(3), nullptr);
  EXPECT_EQ(toc.GetPrereqCheck(), 0);
}

TEST_F(MediaToc, GetIndexIUsesTheDirectPositionThenAnIndexThatFollowsReloadsAndRemovals) {
  ASSERT_EQ(Load(Media({E("A"), E("B"), E("C")})), 1);
  EXPECT_EQ(toc.GetIndexI(5), 2);
  EXPECT_EQ(toc.GetIndexI(3), 0);
  EXPECT_EQ(toc.GetIndexI(2), -1);
  EXPECT_EQ(toc.GetIndexI(-4), -1);
  ASSERT_EQ(Load(Media({E("A"), E("B"), E("C")}, {9, 2, 9})), 1);
  EXPECT_EQ(toc.GetIndexI(9), 0);  // the first of two
  EXPECT_EQ(toc.GetIndexI(2), 1);
  EXPECT_EQ(toc.GetIndexI(3), -1);
  // A removed record takes its prefix entry with it: entry i stays record i's.
  ASSERT_EQ(toc.Remove("A", ZOLINS_CODE, message), 1);
  EXPECT_STREQ(toc.GetIiemeUnitToc(0)->GetName(), "B");
  EXPECT_EQ(Prefixes(), "A:2:2000 A:9:3000");
  EXPECT_EQ(toc.GetIndexI(9), 1);
  EXPECT_EQ(toc.GetIndexI(2), 0);
}

TEST_F(MediaToc, ElementQueries) {
  ASSERT_EQ(
      Load(Media({E("S").Pkg("SLT").Size(50).Langs("100 200 400"),
                  E("F").Pkg("FWK").Size(70).Langs("300"),
                  E("D").Type("documentation").Prereq("D1 D2").Size(60), E("P").Prereq("Q")})),
      1);
  const auto names = std::make_unique<char[][ZOLINS_NAME_SIZE]>(4097);
  const char* listed[] = {"S", "F", "zzz", "D", "P"};
  for (int i = 0; i < 5; ++i) std::strcpy(names[i], listed[i]);
  char* const doc = names[3];
  char* const code = names[4];

  ZOLUnicodeString line("old");
  EXPECT_EQ(toc.GetUnitToc(line, code), 0);
  EXPECT_EQ(line.str(), E("P").Prereq("Q ").Line());
  EXPECT_EQ(toc.GetUnitToc(line, names[2]), -1);
  EXPECT_EQ(toc.GetNbPrereqOf(doc), 2);
  EXPECT_EQ(toc.GetNbPrereqOf(code), -1);
  char out[5][ZOLINS_NAME_SIZE];
  EXPECT_EQ(toc.GetIiemePrereqOf(doc, 1, out[0]), 0);
  EXPECT_STREQ(out[0], "D2");
  toc.GetIiemePrereqOf(doc, 5, out[0]);
  EXPECT_STREQ(out[0], "");

  // Code products and solutions, in the order asked.
  int nbOut = -1;
  toc.GetTabCFGPRDToInstall(names.get(), 5, out, nullptr);
  toc.GetTabCFGPRDToInstall(names.get(), 5, out, &nbOut);
  ASSERT_EQ(nbOut, 2);
  EXPECT_EQ(std::string(out[0]) + " " + out[1], "S P");
  toc.GetTabCFGPRDToInstall(names.get(), 0, out, &nbOut);
  EXPECT_EQ(nbOut, 0);

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

// The levels are gathered while the lines are parsed: they must be what the level operations
// derive from the loaded records, and a mismatch the one they report first (the operating system
// before the GA level, whatever their lines).
TEST_F(MediaToc, LevelsGatheredWhileParsingAreThoseOfTheRecords) {
  EXPECT_EQ(Load(Media({E("A").Ga("R1"), E("B").Ga("R2"), E("C").Ga("R2").Os("os2")})), -1);
  EXPECT_EQ(message.str(),
            "ZOLINSToc::SetOS: Operating system mismatch on line number 3 from file " + path +
                ":\nos1 operating system expected, and os2 operating system found\n");
  EXPECT_EQ(toc.GetNbToc(), -1);
  EXPECT_EQ(Load(Media({E("A"), E("D").Os("os2").Type("documentation"), E("B").Ga("R2"),
                        E("C").Ga("R3")})),
            -1);
  EXPECT_EQ(message.str(), "ZOLINSToc::SetGALevel:GA level mismatch on line number 3 from file " +
                               path + ":\nga1 GA level expected, and R2 GA level found\n");

  ASSERT_EQ(Load(Media({E("A").Type("rux2"), E("S.1").Pkg("SPK").Spk(1), E("H.4").Pkg("HFX").Spk(5),
                        E("X").Spk(9), E("H.2").Pkg("HFX").Spk(2)})),
            1)
      << message.str();
  const auto levels = [this] {
    return std::string(toc.GetOS()) + " " + toc.GetGALevel() + " " +
           std::to_string(toc.GetSPKLevel(1)) + " " + std::to_string(toc.GetSPKLevel(0)) + " " +
           std::to_string(toc.GetHFXLevel()) + " " + toc.GetHFXName();
  };
  EXPECT_EQ(levels(), "os1 ga1 5 1 2 H.4");
  ASSERT_EQ(toc.SetOS(message), 1);
  ASSERT_EQ(toc.SetGALevel(message), 1);
  toc.SetSPKLevel();
  toc.SetHFXLevel();
  toc.SetHFXName();
  EXPECT_EQ(levels(), "os1 ga1 5 1 2 H.4");
  ASSERT_EQ(Load(Media({E("A"), E("B")})), 1);  // nothing left of the previous load's levels
  EXPECT_EQ(levels(), "os1 ga1 0 0 0 ");
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

// Prefix entries and order lookups follow the records through removals at the end and in the
// middle.
TEST_F(MediaToc, RemovalsAtTheEndAndInTheMiddle) {
  ASSERT_EQ(Load(Media({E("A"), E("B"), E("C"), E("D").Type("rux2"), E("D")}, {3, 4, 9, 6, 9})), 1);
  ASSERT_EQ(toc.Remove("D", ZOLINS_CODE, message), 1);  // the last
  EXPECT_EQ(Prefixes(), "A:3:1000 A:4:2000 A:9:3000 A:6:4000");
  ASSERT_EQ(toc.Remove("B", ZOLINS_CODE, message), 1);  // in the middle
  EXPECT_EQ(Prefixes(), "A:3:1000 A:9:3000 A:6:4000");
  EXPECT_EQ(toc.GetIndexI(9), 1);
  EXPECT_EQ(toc.GetIndexI(6), 2);
  EXPECT_EQ(toc.GetIndexI(4), -1);
  ASSERT_EQ(toc.Remove("C", ZOLINS_CODE, message), 1);  // the only other entry with order 9 is gone
  EXPECT_EQ(toc.GetIndexI(9), -1);
  EXPECT_EQ(toc.GetIndex("D", ZOLINS_RUX2), 1);
}

// A medium refused halfway (line 3000 of 5000, lists already parsed) names the line and leaves
// nothing behind: it looks empty, the sanitizer build checks for leaks, and a table loads again.
TEST_F(MediaToc, RefusedLoadNamesTheLineAndLeavesNothingBehind) {
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += E("E" + std::to_string(i))
                .Pkg(i == 2999 ? "FIX" : "FWK")
                .Prereq("E0 E1 E2")
                .Supersede("OLD")
                .Ifreq("E1/E2")
                .MediaLine("A", i + 3, 9) +
            "\n";
  EXPECT_EQ(Load(text), -1);
  EXPECT_EQ(message.str(), "ZOLINSMediaToc: Init of line number 3000 from " + path +
                               " failed\nZOLINSUnitToc: unknown package: FIX\n");
  EXPECT_EQ(toc.GetNbToc(), -1);
  EXPECT_EQ(toc.GetIiemePrefixToc(0), nullptr);
  EXPECT_EQ(toc.GetIndex("E0", ZOLINS_CODE), -1);
  EXPECT_EQ(Load(Media({E("A"), E("B").Ga("other")})), -1);
  EXPECT_NE(message.str().find("GA level mismatch on line number 2"), std::string::npos);
  ASSERT_EQ(Load(Media({E("A"), E("B")})), 1);
  EXPECT_EQ(Prefixes(), "A:3:1000 A:4:2000");
}

}  // namespace
