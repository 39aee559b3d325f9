#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;
using zoltest::TocText;

class InstToc : public zoltest::TocTest {
 protected:
  int Load(const std::string& text) {
    path = dir.Write("control/PRESENT", text);
    return toc->InitInst(&path[0], message);
  }
  void Loaded(const std::string& text) { ASSERT_EQ(Load(text), 1) << message.str(); }
  std::vector<std::string> List(ZOLINSType list) const {
    std::vector<std::string> names;
    for (int i = 0; i < toc->GetNbNameInst(list); ++i)
      names.push_back(toc->GetIiemeNameInst(list, i));
    return names;
  }
  std::vector<std::string> Names(ZOLINSStockNameInst& out) const {
    std::vector<std::string> names;
    for (int i = 0; i < out.GetNbName(); ++i) names.push_back(out.GetName(i));
    return names;
  }

  std::unique_ptr<ZOLINSInstToc> toc = std::make_unique<ZOLINSInstToc>();
  using V = std::vector<std::string>;
};

TEST_F(InstToc, ListsHoldInstalledAndSupersededNames) {
  Loaded(TocText({E("C1").Supersede("XY Z ABC"), E("R1").Type("rux2").Supersede("Q P"),
                  E("D1").Type("documentation").Supersede("OLDDOC"), E("S1").Type("samples"),
                  E("C2").Supersede("ABD Z"), E("C1").Type("rux2")}));
  EXPECT_EQ(List(ZOLINS_CODE), (V{"C1", "C2"}));
  EXPECT_EQ(List(ZOLINS_RUX2), (V{"R1", "C1"}));
  EXPECT_EQ(List(ZOLINS_DOCUMENTATION), V{"D1"});
  EXPECT_EQ(List(ZOLINS_UNKNOWNM), (V{"ABC", "ABD", "XY", "Z"}));
  EXPECT_EQ(List(ZOLINS_UNKNOWNQ), (V{"Q", "P"}));
  EXPECT_EQ(List(ZOLINS_SAMPLES), (V{"S1", "OLDDOC"}));
  EXPECT_EQ(toc->IsInstalled("C1", ZOLINS_CODE), 0);
  EXPECT_EQ(toc->IsInstalled("C1", ZOLINS_DOCUMENTATION), -1);
  EXPECT_EQ(toc->IsInstalled("ABC", ZOLINS_UNKNOWNM), 0);
  EXPECT_EQ(toc->IsInstalled("ABC", ZOLINS_CODE), -1);
  EXPECT_EQ(toc->GetIiemeNameInst(ZOLINS_CODE, 2), nullptr);
}

TEST_F(InstToc, DuplicatesFrameworksAndFullListsAreRefused) {
  EXPECT_EQ(Load(TocText({E("A"), E("B"), E("A")})), -1);
  EXPECT_EQ(message.str(), "ZOLINSInstToc:Duplicate entry in " + path + "\n");
  EXPECT_EQ(toc->GetNbToc(), -1);
  EXPECT_EQ(Load(TocText({E("F.1").Pkg("FSP").Prereq("F"), E("F").Type("rux2")})), -1);
  EXPECT_EQ(message.str(), "ZOLINSInsToc: Np Framework associated with F.1\n");
  EXPECT_EQ(Load("code:PRD:A::::0::::0:L:\ncode:FIX:B::::0::::0:L:\n"), -1);
  EXPECT_EQ(message.str(), "ZOLINSInstToc: Init of line number 2 from " + path +
                               " failed\nZOLINSUnitToc: unknown package: FIX\n");

  std::string text;
  for (int i = 0; i < 4097; ++i) text += E("N" + std::to_string(i)).Line() + "\n";
  EXPECT_EQ(Load(text), -1);
  EXPECT_EQ(message.str(), "ZOLINSInstToc: line number 4097 from " + path +
                               ": no room for N4096, more than 4096 installed code names\n");
  std::string superseded;
  for (int i = 0; i < 4097; ++i) superseded += " O" + std::to_string(i);
  EXPECT_EQ(Load(TocText({E("A"), E("S").Supersede(superseded)})), -1);
  EXPECT_EQ(message.str(), "ZOLINSInstToc: line number 2 from " + path +
                               ": no room for O4096, more than 4096 superseded code names\n");
}

TEST_F(InstToc, FrameworkCarriesTheHighestLevelOfItsFixSets) {
  Loaded(TocText({E("F.3").Pkg("FSP").Prereq("F").Spk(3), E("F").Pkg("FWK"),
                  E("F.5").Pkg("FSP").Prereq("F").Spk(5), E("F.2").Pkg("FSP").Prereq("F").Spk(2)}));
  EXPECT_EQ(toc->GetMaxSPKLevel("F", ZOLINS_CODE), 5);
  EXPECT_EQ(toc->GetMaxSPKLevel("F", ZOLINS_RUX2), -1);
}

// The installed listings are the TOC's, into the installed containers.
TEST_F(InstToc, PackageListings) {
  Loaded(TocText({E("P2").Label("p2"), E("P1").Type("rux2"), E("X").Supersede("P2 Q"), E("Q")}));
  ZOLINSStockNameInst out(10);
  toc->GetPackageInst(ZOLINS_PRD, ZOLINS_UNKNOWNQ, &out, 0);
  EXPECT_EQ(Names(out), (V{"P1", "P2", "Q", "X"}));
  EXPECT_STREQ(out.GetLabel(1), "p2");
  char given[2][ZOLINS_NAME_SIZE] = {"X", "Q"};
  toc->GetPackageInstOPT(given, 2, &out);
  EXPECT_EQ(Names(out), V{"P2"});
}

TEST_F(InstToc, DocumentationWithItsMediaPrerequisites) {
  Loaded(TocText({E("D").Type("documentation"), E("D1").Type("documentation"), E("D2"),
                  E("F").Type("documentation")}));
  std::string mediaPath =
      dir.Write("MEDIA", E("D").Type("documentation").Prereq("D1 D2").MediaLine("A", 3, 0) + "\n" +
                             E("E").Type("documentation").Prereq("D1").MediaLine("A", 4, 0) + "\n" +
                             E("F").Type("documentation").Prereq("D1").MediaLine("A", 5, 0) + "\n");
  ZOLINSMediaToc media;
  ASSERT_EQ(media.InitMedia(&mediaPath[0], message), 1);
  const auto installed = [&](std::string name, ZOLINSMediaToc* on) {
    return toc->IsInstalledLookDocLp(&name[0], on);
  };
  EXPECT_EQ(installed("F", &media), 0);
  EXPECT_EQ(installed("D", &media), -1);   // D2 is installed as code only
  EXPECT_EQ(installed("E", &media), -1);   // E is not installed
  EXPECT_EQ(installed("D1", &media), -1);  // not on the medium
  EXPECT_EQ(installed("F", nullptr), -1);
}

TEST_F(InstToc, UpdatePresentRewritesCanonicalLinesByteForByte) {
  std::string text;
  for (int i = 0; i < 4000; ++i)
    text += "code:PRD:E" + std::to_string(i) + ":OLD" + std::to_string(i) + " :" +
            (i ? "E" + std::to_string(i - 1) + " " : "") + ":P/U :" + std::to_string(i * 7) +
            ":20260101000000:os1:ga1:0:Element " + std::to_string(i) + ":1 2 :\n";
  text += "documentation:PDO:Doc::::0::os2:ga1:0:Doc:\n";
  Loaded(text);
  ASSERT_EQ(toc->UpdatePresent(path.c_str(), message), 1);
  EXPECT_EQ(zoltest::ReadFile(path), text);

  // No directory to write in, and a directory where the file should be: nothing is left behind.
  zoltest::MakeDirs(dir / "control/ADIR");
  for (const char* target : {"nowhere/PRESENT", "control/ADIR"}) {
    EXPECT_EQ(toc->UpdatePresent((dir / target).c_str(), message), -1);
    EXPECT_EQ(message.str(), "Error opening file PRESENT");
  }
  EXPECT_EQ(std::system(("test $(ls -A " + dir / "control" + " | wc -l) -eq 2").c_str()), 0);
}

}  // namespace
