#include <string>

#include "PlanningFixture.h"

namespace {

using zoltest::At;
using zoltest::E;

class GeneralPlanning : public zoltest::Planning {};

TEST_F(GeneralPlanning, EmptyRequestHasNothingToInstall) {
  LoadMedia(At(E("A"), 3));
  const auto plan = GetSize({});
  EXPECT_EQ(plan.result, 0);
  EXPECT_EQ(plan.nb, 0u);
  EXPECT_FALSE(plan.namesHandedOut);
  EXPECT_EQ(Info(), " ZOLInsMediaToc =  Nothing to install\n");
}

TEST_F(GeneralPlanning, ClosureIsSortedByOrderWhateverTheRequestOrder) {
  // Line order, order numbers and media all differ; only the order numbers decide.
  LoadMedia(At(E("C").Size(30), 3, 0, "B") + At(E("A").Prereq("B").Size(10), 9) +
            At(E("B").Prereq("C").Size(20), 5, 0, "C") + At(E("Z"), 6));
  for (const V& request : {V{"A"}, V{"B", "A"}, V{"C", "A", "B"}}) {
    const auto plan = GetSize(request);
    EXPECT_EQ(plan.result, 60 + 400);
    EXPECT_EQ(plan.names, (V{"C", "B", "A"}));
    EXPECT_EQ(plan.media, "BCA");
    EXPECT_EQ(plan.nb, 3u);
  }
  EXPECT_EQ(Info(), "");
}

TEST_F(GeneralPlanning, InstalledElementsAreReportedInTheFirstPassOnly) {
  LoadMedia(At(E("A").Prereq("I"), 3) + At(E("I"), 4));
  LoadInstalled(zoltest::TocText({E("I")}));
  auto plan = GetSize({"I"});
  EXPECT_EQ(plan.result, 0);
  EXPECT_EQ(plan.nb, 0u);
  EXPECT_EQ(Info(),
            "I codeI code : already installed software\n"
            " ZOLInsMediaToc =  Nothing to install\n");
  // Requested twice, reported twice; reached as a prerequisite, passed over silently.
  ZOLINSToc::sResetInfoMsg();
  plan = GetSize({"I", "A", "I"});
  EXPECT_EQ(plan.names, V{"A"});
  EXPECT_EQ(Info(),
            "I codeI code : already installed software\n"
            "I codeI code : already installed software\n");
}

TEST_F(GeneralPlanning, EveryNameOfThePassIsReportedBeforeRefusing) {
  LoadMedia(At(E("A").Prereq("MISSING"), 3) + At(E("S").Pkg("SPK").Label("Pack 1"), 4) +
            At(E("B"), 5));
  const auto plan = GetSize({"X", "A", "S", "X", "Y", "B"});
  EXPECT_EQ(plan.result, -1);
  // The refusal ends the call before the next pass: A's missing prerequisite is never reached.
  EXPECT_EQ(Info(),
            "X code is not found on the media\n"
            "GA not found.\nThe correct GA must be installed before installing Pack 1\n"
            "Y code is not found on the media\n");
  EXPECT_EQ(plan.nb, 12345u);
}

TEST_F(GeneralPlanning, MissingPrerequisiteFailsExceptWhenSizingArchives) {
  LoadMedia(At(E("A").Prereq("GONE B"), 3, 1000) + At(E("B"), 4, 2000));
  auto plan = GetSize({"A"}, ZOLINS_DOCUMENTATION);
  EXPECT_EQ(plan.result, -1);
  EXPECT_EQ(Info(), "A documentation is not found on the media\n");

  ZOLINSToc::sResetInfoMsg();
  plan = GetSize({"A"});
  EXPECT_EQ(plan.result, -1);
  EXPECT_EQ(Info(), "Prerequisite GONE code is not found\n");

  ZOLINSToc::sResetInfoMsg();
  plan = GetSize({"A"}, ZOLINS_CODE, 1);
  EXPECT_EQ(plan.result, 3);  // 3000 bytes: two kilobytes started, plus one
  EXPECT_EQ(plan.names, (V{"A", "B"}));
  EXPECT_EQ(Info(), "");
}

TEST_F(GeneralPlanning, SizesAndTheirUnits) {
  LoadMedia(At(E("A").Size(100), 3, 1000) + At(E("B").Size(250), 4, 2000) + At(E("K"), 5, 1024) +
            At(E("Z"), 6, 0) + At(E("D").Type("documentation").Size(100), 7) +
            At(E("F").Type("documentation").Size(250), 8));
  EXPECT_EQ(GetSize({"A", "B"}).result, 750);
  EXPECT_EQ(GetSize({"D", "F"}, ZOLINS_DOCUMENTATION).result, 350);
  EXPECT_EQ(GetSize({"A", "B"}, ZOLINS_CODE, 1).result, 3);
  EXPECT_EQ(GetSize({"K"}, ZOLINS_CODE, 1).result, 2);
  // Nothing adds up: no +400, no kilobyte started.
  EXPECT_EQ(GetSize({"Z"}).result, 0);
  EXPECT_EQ(GetSize({"Z"}, ZOLINS_CODE, 1).result, 0);
}

TEST_F(GeneralPlanning, TotalWrapsAt32Bits) {
  LoadMedia(At(E("A").Size(4294967000u), 3) + At(E("B").Size(1000), 4));
  // 4294968000 wraps to 704; code adds 400.
  EXPECT_EQ(GetSize({"A", "B"}).result, 1104);
}

TEST_F(GeneralPlanning, MediumMustMatchTheInstallation) {
  LoadMedia(At(E("A").Os("aix").Ga("R21"), 3));
  LoadInstalled(zoltest::TocText({E("X").Os("hpux").Ga("R21")}));
  EXPECT_EQ(GetSize({"A", "NOWHERE"}).result, -1);
  EXPECT_EQ(Info(),
            "Invalid Media: it's forbidden to install aix operating system data onto hpux "
            "operating system installation\n");

  ZOLINSToc::sResetInfoMsg();
  LoadInstalled(zoltest::TocText({E("X").Os("aix").Ga("R20")}));
  EXPECT_EQ(GetSize({"A"}).result, -1);
  EXPECT_EQ(Info(),
            "Invalid Media: it's forbidden to install R21 GA level data onto R20 GA level "
            "installation\n");
}

TEST_F(GeneralPlanning, RequestedTwiceIsExaminedOnce) {
  LoadMedia(At(E("A").Size(5), 3));
  auto plan = GetSize({"A", "A"});
  EXPECT_EQ(plan.names, V{"A"});
  EXPECT_EQ(plan.result, 405);
  ZOLINSToc::sResetInfoMsg();
  GetSize({"Q", "Q"});
  EXPECT_EQ(Info(), "Q code is not found on the media\n");
}

// Conditional prerequisites.

class Conditions : public zoltest::Planning {
 protected:
  void SetUp() override {
    Planning::SetUp();
    LoadMedia(At(E("A").Ifreq("P/U"), 3) + At(E("P"), 4) + At(E("U"), 5) + At(E("X"), 6));
  }
};

TEST_F(Conditions, AppliesWhenTheConditionIsInstalledOrSelected) {
  EXPECT_EQ(GetSize({"A"}).names, V{"A"});
  EXPECT_EQ(GetSize({"A", "P"}).names, (V{"A", "P", "U"}));
  EXPECT_EQ(GetSize({"P", "A"}).names, (V{"A", "P", "U"}));
  EXPECT_EQ(GetSize({"A"}, ZOLINS_CODE, 1).names, (V{"A", "U"}));
  LoadInstalled(zoltest::TocText({E("P")}));
  EXPECT_EQ(GetSize({"A"}).names, (V{"A", "U"}));
}

TEST_F(Conditions, AppliesInTheLaterPassWhereItsConditionAppears) {
  LoadMedia(At(E("A").Prereq("B").Ifreq("P/U Q/V"), 3) + At(E("B").Prereq("C"), 4) +
            At(E("C").Prereq("P"), 5) + At(E("P"), 6) + At(E("U"), 7) + At(E("Q"), 8) +
            At(E("V"), 9));
  EXPECT_EQ(GetSize({"A"}).names, (V{"A", "B", "C", "P", "U"}));
}

TEST_F(Conditions, KeepTheirListOrderAcrossPasses) {
  // The required elements are missing, so the messages show the order in which they were added.
  // Both conditions wait on P from different passes and wake up together.
  LoadMedia(At(E("A").Prereq("B").Ifreq("P/U2"), 3) + At(E("B").Prereq("C").Ifreq("P/U1"), 4) +
            At(E("C").Prereq("P"), 5) + At(E("P"), 6));
  EXPECT_EQ(GetSize({"A"}).result, -1);
  EXPECT_EQ(Info(), "Prerequisite U2 code is not found\nPrerequisite U1 code is not found\n");

  // One put off in an earlier pass comes before one added in the pass that satisfies both.
  ZOLINSToc::sResetInfoMsg();
  LoadMedia(At(E("A").Prereq("P").Ifreq("P/U1"), 3) + At(E("P").Ifreq("I/U2"), 4));
  LoadInstalled(zoltest::TocText({E("I")}));
  EXPECT_EQ(GetSize({"A"}).result, -1);
  EXPECT_EQ(Info(), "Prerequisite U1 code is not found\nPrerequisite U2 code is not found\n");
}

// Packages with rules of their own.

TEST_F(GeneralPlanning, ServicePackNeedsItsGAAndNoLowerLevel) {
  LoadMedia(At(E("S1").Pkg("SPK").Spk(1).Label("Service Pack 1"), 3) +
            At(E("S3").Pkg("SPK").Spk(3), 4) + At(E("S2").Pkg("SPK").Spk(2), 5));
  EXPECT_EQ(GetSize({"S2"}).result, -1);
  EXPECT_EQ(Info(), "GA not found.\nThe correct GA must be installed before installing S2 label\n");

  ZOLINSToc::sResetInfoMsg();
  LoadInstalled(zoltest::TocText({E("GA"), E("S2").Pkg("SPK").Spk(2)}));
  EXPECT_EQ(GetSize({"S1"}).result, -1);
  EXPECT_EQ(Info(), "Service Pack 1 is lower than current Service Pack level:2 \n");
  EXPECT_EQ(GetSize({"S3"}).names, V{"S3"});
}

TEST_F(GeneralPlanning, FixSetOlderThanItsFrameworkIsLeftOut) {
  LoadMedia(At(E("FW.1").Pkg("FSP").Prereq("FW").Spk(1).Size(10), 3) +
            At(E("FW.4").Pkg("FSP").Prereq("FW").Spk(4).Size(20), 4) + At(E("FW").Pkg("FWK"), 5) +
            At(E("X").Size(1), 6));
  auto plan = GetSize({"FW.1", "X"});
  EXPECT_EQ(plan.result, -1);  // no installation to compare with
  EXPECT_EQ(Info(), "");

  LoadInstalled(zoltest::TocText({E("FW").Pkg("FWK"), E("FW.3").Pkg("FSP").Prereq("FW").Spk(3)}));
  plan = GetSize({"FW.1", "X"});
  EXPECT_EQ(plan.names, V{"X"});
  EXPECT_EQ(plan.result, 401);
  EXPECT_EQ(GetSize({"FW.4"}).names, V{"FW.4"});
  EXPECT_EQ(Info(), "");
}

TEST_F(GeneralPlanning, PrerequisiteCheckSkipsRequestsWhoseFirstPrerequisiteIsMissing) {
  LoadMedia(At(E("A").Prereq("B"), 3) + At(E("B"), 4) + At(E("C"), 5));
  media->SetPrereqCheck(1);
  auto plan = GetSize({"A", "C"});
  EXPECT_EQ(plan.names, V{"C"});
  EXPECT_EQ(Info(),
            "B which is a prerequisite of A has not been found.\nThough you required to install "
            "A, it will not be installed.\nContinuing...");
  // Not a refusal: alone, A leaves nothing to install. Archives are sized regardless.
  ZOLINSToc::sResetInfoMsg();
  EXPECT_EQ(GetSize({"A"}).result, 0);
  EXPECT_NE(Info().find("Nothing to install"), std::string::npos);
  EXPECT_EQ(GetSize({"A"}, ZOLINS_CODE, 1).names, (V{"A", "B"}));
  LoadInstalled(zoltest::TocText({E("B")}));
  EXPECT_EQ(GetSize({"A"}).names, V{"A"});
}

// Elements met and the order lookup.

TEST_F(GeneralPlanning, ElementsMetIncludeInstalledOnesInMediaOrder) {
  LoadMedia(At(E("A").Prereq("I GONE"), 9) + At(E("I"), 4) + At(E("B"), 7));
  LoadInstalled(zoltest::TocText({E("I")}));
  auto plan = GetSize({"B", "A", "NOTHERE"}, ZOLINS_CODE, 1, true);
  EXPECT_EQ(plan.result, -1);  // NOTHERE is refused
  EXPECT_EQ(plan.nbMet, 777u);

  plan = GetSize({"B", "A"}, ZOLINS_CODE, 1, true);
  EXPECT_EQ(plan.names, (V{"B", "A"}));
  EXPECT_EQ(plan.nbMet, 3u);
  EXPECT_EQ(plan.met, (V{"I", "B", "A"}));

  // Nothing to install: the met elements are not handed out.
  plan = GetSize({"I"}, ZOLINS_CODE, 0, true);
  EXPECT_EQ(plan.nb, 0u);
  EXPECT_EQ(plan.nbMet, 777u);
}

TEST_F(GeneralPlanning, SharedOrderNumberGivesTheFirstEntryCarryingIt) {
  LoadMedia(At(E("A").Size(1), 7) + At(E("B").Size(2), 7) + At(E("C").Size(4), 12));
  const auto plan = GetSize({"B", "C"});
  EXPECT_EQ(plan.names, (V{"A", "C"}));
  EXPECT_EQ(plan.result, 405);
}

TEST_F(GeneralPlanning, MoreThan4096RequestedNamesAreServed) {
  LoadMedia(At(E("A"), 3) + At(E("B"), 4));
  std::vector<std::string> request(5000, "A");
  request.push_back("B");
  EXPECT_EQ(GetSize(request).names, (V{"A", "B"}));
}

}  // namespace
