#include <memory>
#include <string>

#include "PlanningFixture.h"

namespace {

using zoltest::At;
using zoltest::E;

// GA install sets.

class GAPlanning : public zoltest::Planning {
 protected:
  ZOLUnicodeString msg;
};

TEST_F(GAPlanning, PlainPrerequisitesOnlyAndNoSizeAdjustment) {
  LoadMedia(At(E("A").Prereq("B").Ifreq("A/U").Size(100), 8, 0, "X") +
            At(E("B").Prereq("C").Size(20), 4) + At(E("C").Size(5), 5) + At(E("U").Size(7), 6));
  LoadInstalled(zoltest::TocText({E("C")}));
  const auto plan = GetSizeGA({"A"}, msg);
  EXPECT_EQ(plan.result, 120);
  EXPECT_EQ(plan.names, (V{"B", "A"}));
  EXPECT_EQ(plan.media, "AX");
  EXPECT_EQ(msg.str(), "");
}

TEST_F(GAPlanning, AnyInstalledRequestRefusesTheWholeRequest) {
  LoadMedia(At(E("A").Prereq("GONE"), 3) + At(E("B"), 4) + At(E("D"), 5));
  LoadInstalled(zoltest::TocText({E("A"), E("B")}));
  msg = "kept: ";
  auto plan = GetSizeGA({"A", "D", "B"}, msg);
  EXPECT_EQ(plan.result, kAllBits);
  EXPECT_EQ(msg.str(),
            "kept: A code : already installed software\nB code : already installed software\n");
  EXPECT_FALSE(plan.namesHandedOut);
}

TEST_F(GAPlanning, MissingElementStopsAtOnce) {
  LoadMedia(At(E("A").Prereq("GONE OTHER"), 3));
  EXPECT_EQ(GetSizeGA({"A"}, msg).result, kAllBits);
  EXPECT_EQ(msg.str(), "Prerequisite GONE code is not found\n");
  msg = "";
  EXPECT_EQ(GetSizeGA({"X", "Y"}, msg).result, kAllBits);
  EXPECT_EQ(msg.str(), "Prerequisite X code is not found\n");
}

TEST_F(GAPlanning, NothingToInstallIsAFailure) {
  LoadMedia(At(E("A"), 3));
  const auto plan = GetSizeGA({}, msg);
  EXPECT_EQ(plan.result, kAllBits);
  EXPECT_EQ(plan.nb, 0u);
  EXPECT_EQ(msg.str(), " ZOLInsMediaToc =  Nothing to install\n");
}

TEST_F(GAPlanning, MoreThan4096RequestedNamesAreServed) {
  LoadMedia(At(E("A").Size(3), 3) + At(E("B").Size(4), 4));
  std::vector<std::string> request(5000, "B");
  request.push_back("A");
  const auto plan = GetSizeGA(request, msg);
  EXPECT_EQ(plan.names, (V{"A", "B"}));
  EXPECT_EQ(plan.result, 7);
}

TEST_F(GAPlanning, TraceFollowsEveryStep) {
  zoltest::ScopedEnv trace("ZOL_TRACE", "TOC");
  media = std::make_unique<ZOLINSMediaToc>();
  LoadMedia(At(E("A").Prereq("B").Size(10), 3) + At(E("B").Size(20), 4));
  std::string out = zoltest::CaptureStderr([&] { GetSizeGA({"A"}, msg); });
  EXPECT_EQ(out,
            "ZOLINSMediaToc::GetSizeGA: BEGIN \n"
            "ZOLINSMediaToc::GetSizeGA nbtoscan= 1\n"
            "-> A\n"
            "ZOLINSMediaToc::GetSizeGA: ------Begin for\n "
            "---> A\n"
            "Nb Prereq  :1\n"
            "---> B\n"
            "Nb Prereq  :0\n"
            "ZOLINSMediaToc::GetSizeGA: ------End for \n"
            "ZOLINSMediaToc::GetSizeGA 2 products to install\n "
            "A B "
            "\nZOLINSMediaToc::GetSizeGA total = 30 bytes \n"
            "ZOLINSMediaToc::GetSizeGA ----END \n");

  out = zoltest::CaptureStderr([&] { GetSizeGA({"Q"}, msg); });
  EXPECT_EQ(out,
            "ZOLINSMediaToc::GetSizeGA: BEGIN \n"
            "ZOLINSMediaToc::GetSizeGA nbtoscan= 1\n"
            "-> Q\n"
            "ZOLINSMediaToc::GetSizeGA: ------Begin for\n "
            "---> Q\n"
            "ZOLINSMediaToc::GetSizeGA Erreur = Prerequisite Q code is not found\n\n"
            "ZOLINSMediaToc::GetSizeGA ----END  KO \n");
}

// Service packs and hot fixes.

class SPKPlanning : public zoltest::Planning {
 protected:
  void SetUp() override {
    Planning::SetUp();
    LoadSPKMedia();
  }
  void LoadSPKMedia() {
    LoadMedia(At(E("SP2").Pkg("SPK").Spk(2).Ifreq("P1/U1 P2/U2 P3/U3").Size(1000), 9) +
              At(E("U1").Prereq("DEEP").Ifreq("P1/W").Size(50), 4) + At(E("U2").Size(60), 5) +
              At(E("U3").Size(70), 6) + At(E("HF.1").Pkg("HFX").Size(5120), 7));
  }
  ZOLUnicodeString msg;
};

TEST_F(SPKPlanning, AddsRequiredElementsOfInstalledConditionsOnly) {
  // P1 installed, U1 not: U1 comes (its own needs are not followed). P2 absent: nothing. P3 and
  // U3 both installed: nothing.
  LoadInstalled(zoltest::TocText({E("P1"), E("P3"), E("U3")}));
  const auto plan = GetSizeSPK("SP2", msg);
  EXPECT_EQ(plan.result, 1050);
  EXPECT_EQ(plan.names, (V{"U1", "SP2"}));
  EXPECT_EQ(plan.nb, 2u);
  EXPECT_EQ(msg.str(), "");
}

TEST_F(SPKPlanning, RefusalsAndTheirMessages) {
  msg = "untouched";
  EXPECT_EQ(GetSizeSPK("SP2", msg).result, kAllBits);  // no installation
  EXPECT_EQ(msg.str(), "untouched");

  LoadInstalled(zoltest::TocText({E("SP2").Pkg("SPK").Spk(2)}));
  EXPECT_EQ(GetSizeSPK("SP2", msg).result, kAllBits);
  EXPECT_EQ(msg.str(), "SP2 code : already installed software\n");  // replaced
}

TEST_F(SPKPlanning, ElementsMissingFromTheMediumFailTheCall) {
  LoadInstalled(zoltest::TocText({E("P9")}));
  EXPECT_EQ(GetSizeSPK("SP9", msg).result, kAllBits);
  EXPECT_EQ(msg.str(), "SP9 code is not found on the media\n");

  LoadMedia(At(E("SP3").Pkg("SPK").Spk(3).Ifreq("P9/GONE"), 3));
  msg = "";
  const auto plan = GetSizeSPK("SP3", msg);
  EXPECT_EQ(plan.result, kAllBits);
  EXPECT_FALSE(plan.namesHandedOut);
  EXPECT_EQ(msg.str(), "Prerequisite GONE code is not found\n");
}

TEST_F(SPKPlanning, HotFixSizeIsItsFileSystemSize) {
  zoltest::ScopedEnv trace("ZOL_TRACE", "TOC");
  media = std::make_unique<ZOLINSMediaToc>();
  LoadSPKMedia();
  char name[1][ZOLINS_NAME_SIZE] = {"HF.1"};
  unsigned long long size = 0;
  const std::string out =
      zoltest::CaptureStderr([&] { size = media->GetSizeHFX(name, ZOLINS_CODE, msg); });
  EXPECT_EQ(size, 5120u);
  EXPECT_EQ(out,
            "ZOLINSMediaToc::GetSizeHFX: BEGIN \n"
            "ZOLINSMediaToc::GetSizeHFX HFXName = HF.1\n"
            "\nZOLINSMediaToc::GetSizeHFX total = 5120 bytes \n"
            "ZOLINSMediaToc::GetSizeHFX ----END \n");
  char missing[1][ZOLINS_NAME_SIZE] = {"HF.9"};
  EXPECT_EQ(media->GetSizeHFX(missing, ZOLINS_CODE, msg), 0u);
}

}  // namespace
