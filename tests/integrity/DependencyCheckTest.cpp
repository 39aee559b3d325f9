#include <string>

#include <gtest/gtest.h>

#include "support/InstallTree.h"

namespace {

using zoltest::Check;
using zoltest::E;

class DependencyCheck : public ::testing::Test {
 protected:
  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::InstallTree tree;
};

TEST_F(DependencyCheck, NothingToReport) {
  auto toc = tree.Load({E("A"), E("B").Type("rux2"), E("D").Type("documentation").Pkg("PDO")});
  const auto result = Check(*toc, nullptr, 2);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.report, "");
}

TEST_F(DependencyCheck, FrameworksNeedAProductSolutionOrDocumentationObject) {
  auto toc = tree.Load({E("F1").Pkg("FWK"), E("F2").Pkg("FWK"), E("F3").Pkg("FWK").Prereq("F2"),
                        E("F4").Pkg("FWK"), E("F5").Pkg("FWK"), E("D").Pkg("PDO").Prereq("F1"),
                        E("G").Pkg("GRP").Prereq("F2"), E("P").Ifreq("F1/F4"),
                        E("S").Pkg("SLT").Prereq("F5")});
  const auto result = Check(*toc, nullptr, 2, 1);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.report,
            "F2: alone framework (no PRD or SLT prereqs it)"
            "F3: alone framework (no PRD or SLT prereqs it)"
            "F4: alone framework (no PRD or SLT prereqs it)");
}

TEST_F(DependencyCheck, DocumentationFrameworksOutsideTheProductLineDirectories) {
  auto toc = tree.Load(
      {E("ZOLEnglishGuide").Type("documentation").Pkg("FWK"),
       E("xRDAEnglishRef").Type("documentation").Pkg("FWK"),
       E("Manual").Type("documentation").Pkg("FWK"), E("Covered").Type("documentation").Pkg("FWK"),
       E("D").Type("documentation").Pkg("PDO").Prereq("Covered"), E("Code").Pkg("FWK")});
  EXPECT_EQ(Check(*toc, nullptr, 2).report,
            "Manual: alone framework (no PDO prereqs it)"
            "Code: alone framework (no PRD or SLT prereqs it)");
  const auto compact = Check(*toc, nullptr, 2, 1);
  EXPECT_EQ(compact.status, 0);
  EXPECT_EQ(compact.report,
            "AloneDOCfwk|Manual\n"
            "Code: alone framework (no PRD or SLT prereqs it)");
}

TEST_F(DependencyCheck, FixSetsNeedTheRequiredNameOfAServicePack) {
  auto toc = tree.Load({E("F").Pkg("FWK"), E("P").Prereq("F").Ifreq("Z/F.3"),
                        E("F.1").Pkg("FSP").Prereq("F"), E("F.2").Pkg("FSP").Prereq("F"),
                        E("F.3").Pkg("FSP").Prereq("F"), E("S").Pkg("SPK").Spk(1).Ifreq("F.1/F.2"),
                        E("DF").Type("documentation").Pkg("FWK"),
                        E("DP").Type("documentation").Pkg("PDO").Prereq("DF"),
                        E("DF.1").Type("documentation").Pkg("FSP").Prereq("DF")});
  const auto result = Check(*toc, nullptr, 2, 1);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.report,
            "F.1 :alone FSP (no SPK prereqs it)"
            "F.3 :alone FSP (no SPK prereqs it)"
            "DF.1 :alone FSP (no SPK prereqs it)");
}

TEST_F(DependencyCheck, MissingPrerequisitesAndCorequisites) {
  auto toc =
      tree.Load({E("P1").Prereq("M"), E("P2").Prereq("M"), E("R").Type("rux2").Prereq("P1"),
                 E("P4").Ifreq("NOTHERE/Y"), E("P5").Ifreq("P1/P2"), E("P6").Ifreq("P1/Q P2/W")});
  const auto result = Check(*toc, nullptr, 2);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.report,
            "M is a prerequisite of P1, but is not installed"
            "M is a prerequisite of P2, but is not installed"
            "P1 is a prerequisite of R, but is not installed"
            "Q is a corequisite of P6, but is not installed"
            "W is a corequisite of P6, but is not installed");
  auto docs = tree.Load({E("D").Type("documentation").Prereq("M").Ifreq("D/N")});
  EXPECT_EQ(Check(*docs, nullptr, 2, 1).report,
            "Prereq|M|D\nN is a corequisite of D, but is not installed");
}

TEST_F(DependencyCheck, OlderServicePacksBindNoCorequisites) {
  auto toc = tree.Load(
      {E("A"), E("S1").Pkg("SPK").Spk(1).Ifreq("A/B1"), E("S2").Pkg("SPK").Spk(2).Ifreq("A/B2")});
  const auto result = Check(*toc, nullptr, 2);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.report, "B2 is a corequisite of S2, but is not installed");
}

}  // namespace
