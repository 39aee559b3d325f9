#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;

class TocQuery : public ::testing::Test {
 protected:
  void Load(std::initializer_list<E> elements) {
    path = dir.Write("TOC", zoltest::TocText(elements));
    ASSERT_EQ(zoltest::LoadPlainToc(toc, path, message), 1) << message.str();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < names_->GetNbName(); ++i) names.push_back(names_->GetName(i));
    return names;
  }
  std::vector<int> Indexes() {
    std::vector<int> indexes;
    for (int i = 0; i < indexes_->GetNbIndex(); ++i) indexes.push_back(indexes_->GetIndex(i));
    return indexes;
  }
  void TearDown() override { ZOLINSToc::sClearInfoMsg(); }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::TempDir dir;
  std::string path;
  ZOLINSToc toc;
  ZOLUnicodeString message;
  std::unique_ptr<ZOLINSStockName> names_ = std::make_unique<ZOLINSStockName>();
  std::unique_ptr<ZOLINSStockIndex> indexes_ = std::make_unique<ZOLINSStockIndex>();
  using V = std::vector<std::string>;
};

TEST_F(TocQuery, GetIndexFindsTheFirstRecordOfTheType) {
  EXPECT_EQ(toc.GetIndex("A", ZOLINS_CODE), -1);  // not loaded
  Load({E("A"), E("A").Type("rux2"), E("A").Label("second code")});
  EXPECT_EQ(toc.GetIndex("A", ZOLINS_CODE), 0);
  EXPECT_EQ(toc.GetIndex("A", ZOLINS_RUX2), 1);
  EXPECT_EQ(toc.GetIndex("A", ZOLINS_DOCUMENTATION), -1);
  EXPECT_EQ(toc.GetIndex("A", ZOLINS_UNKNOWNQ), -1);
  EXPECT_EQ(toc.GetIndex(nullptr, ZOLINS_CODE), -1);
}

TEST_F(TocQuery, GetPackageSortsAndLabels) {
  Load({E("B").Pkg("FWK").Label("LB"), E("A").Pkg("FWK").Label("LA"), E("C").Pkg("FWK"),
        E("D").Pkg("FWK").Type("rux2")});
  toc.GetPackage(ZOLINS_FWK, ZOLINS_CODE, names_.get(), 0);
  EXPECT_EQ(Names(), (V{"A", "B", "C"}));
  EXPECT_STREQ(names_->GetLabel(0), "LA");
  EXPECT_EQ(names_->GetLabel(0), toc.GetIiemeUnitToc(1)->GetLabel());  // the record's own label
  EXPECT_STREQ(names_->GetLabel(1), "LB");
  toc.GetPackage(ZOLINS_FIX, ZOLINS_CODE, names_.get(), 0);
  EXPECT_EQ(Names(), V{});
}

TEST_F(TocQuery, GetPackageOfAnyType) {
  Load({E("P").Type("rux2").Label("rux"), E("P").Label("code"), E("Q").Type("rux2"),
        E("D").Pkg("PDO").Type("documentation")});
  toc.GetPackage(ZOLINS_PRD, ZOLINS_UNKNOWNQ, names_.get(), 0);
  EXPECT_EQ(Names(), (V{"P", "Q"}));
  EXPECT_STREQ(names_->GetLabel(0), "code");
  EXPECT_STREQ(names_->GetLabel(1), "Q label");
  ZOLINSToc::sResetInfoMsg();
  toc.GetPackage(ZOLINS_PDO, ZOLINS_UNKNOWNQ, names_.get(), 0);
  EXPECT_EQ(names_->GetNbName(), 0);
  EXPECT_EQ(ZOLINSToc::sGetInfoMsg()->str(),
            "ZOLINSToc::GetPackage: internal error on D for type unknownQ\n");
}

TEST_F(TocQuery, GetPackageVisibleOnly) {
  dir.Write("PCFG.list", "A\n");
  Load({E("A").Pkg("FWK"), E("B").Pkg("FWK")});
  toc.GetPackage(ZOLINS_FWK, ZOLINS_CODE, names_.get(), 1);
  EXPECT_EQ(Names(), V{"A"});
  toc.GetPackage(ZOLINS_FWK, ZOLINS_CODE, names_.get(), 0);
  EXPECT_EQ(Names(), (V{"A", "B"}));
}

TEST_F(TocQuery, GetPackageOPTNeverGivesBackARequestedName) {
  Load({E("A").Supersede("B"), E("B"), E("C").Supersede("A")});
  char requested[2][ZOLINS_NAME_SIZE] = {"A", "C"};
  toc.GetPackageOPT(requested, 1, names_.get(), 0);
  EXPECT_EQ(Names(), V{"B"});
  toc.GetPackageOPT(requested, 2, names_.get(), 0);
  EXPECT_EQ(Names(), V{"B"});
  toc.GetPackageOPT(nullptr, 0, names_.get(), 1);
  EXPECT_EQ(Names(), (V{"A", "B"}));
}

TEST_F(TocQuery, GetPackageOPTWithoutCodeRecordIsAnInternalError) {
  Load({E("A").Supersede("B"), E("B").Type("rux2")});
  ZOLINSToc::sResetInfoMsg();
  char requested[1][ZOLINS_NAME_SIZE] = {"A"};
  toc.GetPackageOPT(requested, 1, names_.get(), 0);
  EXPECT_EQ(names_->GetNbName(), 0);
  EXPECT_EQ(ZOLINSToc::sGetInfoMsg()->str(), "ZOLINSToc::GetPackageOPT : internal error on B\n");
}

TEST_F(TocQuery, SupersedingWalks) {
  Load({E("A"), E("B"), E("C").Supersede("X"), E("D").Type("rux2").Supersede("X"), E("E"),
        E("F").Supersede("Y X X")});
  toc.GetSuperseding("X", ZOLINS_CODE, indexes_.get());
  EXPECT_EQ(Indexes(), (std::vector<int>{2, 5}));
  EXPECT_EQ(toc.GetOneSuperseding("X", ZOLINS_CODE), 2);
  EXPECT_EQ(toc.GetOneSuperseding("X", ZOLINS_RUX2), 3);
  EXPECT_EQ(toc.GetOneSuperseding("Z", ZOLINS_CODE), -1);
  toc.GetPackageIncludingExtra("X", names_.get());
  EXPECT_EQ(Names(), (V{"C", "F"}));
}

TEST_F(TocQuery, PrerequingAndIfrequing) {
  Load({E("A").Prereq("B"), E("S").Pkg("SPK").Ifreq("P/F"), E("C").Prereq("Q B")});
  toc.GetPrerequing("B", ZOLINS_CODE, indexes_.get());
  EXPECT_EQ(Indexes(), (std::vector<int>{0, 2}));
  toc.GetIfrequing("F", ZOLINS_CODE, indexes_.get());
  EXPECT_EQ(Indexes(), std::vector<int>{1});
  toc.GetIfrequing("P", ZOLINS_CODE, indexes_.get());
  EXPECT_EQ(Indexes(), std::vector<int>{});
}

TEST_F(TocQuery, RemoveShiftsTheRecordsAndKeepsLookupsTrue) {
  Load({E("A").Supersede("S1"), E("B").Supersede("S2"), E("C").Supersede("S3"), E("B")});
  EXPECT_EQ(toc.GetIndex("C", ZOLINS_CODE), 2);
  EXPECT_EQ(toc.Remove("B", ZOLINS_CODE, message), 1);
  EXPECT_EQ(toc.GetNbToc(), 3);
  EXPECT_STREQ(toc.GetIiemeUnitToc(1)->GetName(), "C");
  EXPECT_STREQ(toc.GetIiemeUnitToc(1)->GetSupersede(0), "S3");
  EXPECT_EQ(toc.GetIndex("C", ZOLINS_CODE), 1);
  EXPECT_EQ(toc.GetIndex("B", ZOLINS_CODE), 2);  // the later B is now the first
  EXPECT_EQ(toc.Remove("B", ZOLINS_CODE, message), 1);
  EXPECT_EQ(toc.GetIndex("B", ZOLINS_CODE), -1);
  message = "";
  EXPECT_EQ(toc.Remove("Z", ZOLINS_RUX2, message), 0);
  EXPECT_EQ(message.str(), "ZOLINSToc::Remove: Z rux2: not found in " + path + "\n");
}

TEST_F(TocQuery, ResultContainersNeverOverflow) {
  std::string text;
  std::string supersede;
  for (int i = 0; i < 5000; ++i) {
    text += E("N" + std::to_string(i)).Pkg("FWK").Line() + "\n";
    supersede += "N" + std::to_string(i) + " ";
  }
  text += E("Big").Supersede(supersede).Line() + "\n";
  path = dir.Write("TOC", text);
  ASSERT_EQ(zoltest::LoadPlainToc(toc, path, message), 1);
  toc.GetPackage(ZOLINS_FWK, ZOLINS_CODE, names_.get(), 0);
  EXPECT_EQ(names_->GetNbName(), ZOLINS_STOCK_CAPACITY);
  toc.GetPackageOPT(nullptr, 0, names_.get(), 1);
  EXPECT_EQ(names_->GetNbName(), ZOLINS_STOCK_CAPACITY);
}

}  // namespace
