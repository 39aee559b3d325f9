#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;
using V = std::vector<std::string>;
using I = std::vector<int>;
using IndexQuery = void (ZOLINSToc::*)(const char*, ZOLINSType, ZOLINSStockIndex*) const;

class TocQuery : public zoltest::TocTest {
 protected:
  void Load(std::initializer_list<E> elements) {
    path = dir.Write("TOC", zoltest::TocText(elements));
    ASSERT_EQ(zoltest::LoadPlainToc(toc, path, message), 1) << message.str();
  }
  // The names found, each as "name=label".
  V Names() {
    V out;
    for (int i = 0; i < names.GetNbName(); ++i) {
      const char* label = names.GetLabel(i);
      out.push_back(std::string(names.GetName(i)) + "=" + (label ? label : "(null)"));
    }
    return out;
  }
  V Package(ZOLINSPkg package, ZOLINSType type, int visibleOnly = 0) {
    toc.GetPackage(package, type, &names, visibleOnly);
    return Names();
  }
  V Superseded(char (*requested)[ZOLINS_NAME_SIZE], int nb, int all = 0) {
    toc.GetPackageOPT(requested, nb, &names, all);
    return Names();
  }
  I Indexes(IndexQuery query, const char* name) {
    (toc.*query)(name, ZOLINS_CODE, &indexes);
    I out;
    for (int i = 0; i < indexes.GetNbIndex(); ++i) out.push_back(indexes.GetIndex(i));
    return out;
  }

  ZOLINSToc toc;
  ZOLINSStockName names;
  ZOLINSStockIndex indexes;
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

TEST_F(TocQuery, GetPackageSortsLabelsAndFilters) {
  dir.Write("PCFG.list", "A\nB\n");
  Load({E("B").Pkg("FWK").Label("LB"), E("A").Pkg("FWK").Label("LA"), E("C").Pkg("FWK"),
        E("R").Pkg("FWK").Type("rux2"), E("P").Type("rux2").Label("rux"), E("P").Label("code"),
        E("Q").Type("rux2"), E("D").Pkg("PDO").Type("documentation")});
  EXPECT_EQ(Package(ZOLINS_FWK, ZOLINS_CODE), (V{"A=LA", "B=LB", "C=C label"}));
  EXPECT_EQ(names.GetLabel(0), toc.GetIiemeUnitToc(1)->GetLabel());  // the record's own label
  EXPECT_EQ(Package(ZOLINS_FWK, ZOLINS_CODE, 1), (V{"A=LA", "B=LB"}));
  EXPECT_EQ(Package(ZOLINS_FIX, ZOLINS_CODE), V{});
  // Of any type: labelled from the code record, else from the rux2 one; other types have none.
  EXPECT_EQ(Package(ZOLINS_PRD, ZOLINS_UNKNOWNQ), (V{"P=code", "Q=Q label"}));
  ZOLINSToc::sResetInfoMsg();
  EXPECT_EQ(Package(ZOLINS_PDO, ZOLINS_UNKNOWNQ), V{});
  EXPECT_EQ(ZOLINSToc::sGetInfoMsg()->str(),
            "ZOLINSToc::GetPackage: internal error on D for type unknownQ\n");
}

TEST_F(TocQuery, GetPackageOPTNeverGivesBackARequestedName) {
  Load({E("A").Supersede("B"), E("B"), E("C").Supersede("A")});
  char requested[2][ZOLINS_NAME_SIZE] = {"A", "C"};
  EXPECT_EQ(Superseded(requested, 1), V{"B=B label"});
  EXPECT_EQ(Superseded(requested, 2), V{"B=B label"});
  EXPECT_EQ(Superseded(nullptr, 0, 1), (V{"A=A label", "B=B label"}));
  Load({E("A").Supersede("B"), E("B").Type("rux2")});
  ZOLINSToc::sResetInfoMsg();
  EXPECT_EQ(Superseded(requested, 1), V{});  // B has no code record
  EXPECT_EQ(ZOLINSToc::sGetInfoMsg()->str(), "ZOLINSToc::GetPackageOPT : internal error on B\n");
}

TEST_F(TocQuery, SupersedingPrerequingAndIfrequing) {
  Load({E("A"), E("B"), E("C").Supersede("X"), E("D").Type("rux2").Supersede("X"), E("E"),
        E("F").Supersede("Y X X")});
  EXPECT_EQ(Indexes(&ZOLINSToc::GetSuperseding, "X"), (I{2, 5}));
  EXPECT_EQ(toc.GetOneSuperseding("X", ZOLINS_CODE), 2);
  EXPECT_EQ(toc.GetOneSuperseding("X", ZOLINS_RUX2), 3);
  EXPECT_EQ(toc.GetOneSuperseding("Z", ZOLINS_CODE), -1);
  toc.GetPackageIncludingExtra("X", &names);
  EXPECT_EQ(Names(), (V{"C=C label", "F=F label"}));
  Load({E("A").Prereq("B"), E("S").Pkg("SPK").Ifreq("P/F"), E("C").Prereq("Q B")});
  EXPECT_EQ(Indexes(&ZOLINSToc::GetPrerequing, "B"), (I{0, 2}));
  EXPECT_EQ(Indexes(&ZOLINSToc::GetIfrequing, "F"), I{1});
  EXPECT_EQ(Indexes(&ZOLINSToc::GetIfrequing, "P"), I{});
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
  std::string text, supersede;
  for (int i = 0; i < 5000; ++i) {
    text += E("N" + std::to_string(i)).Pkg("FWK").Line() + "\n";
    supersede += "N" + std::to_string(i) + " ";
  }
  path = dir.Write("TOC", text + E("Big").Supersede(supersede).Line() + "\n");
  ASSERT_EQ(zoltest::LoadPlainToc(toc, path, message), 1);
  toc.GetPackage(ZOLINS_FWK, ZOLINS_CODE, &names, 0);
  EXPECT_EQ(names.GetNbName(), ZOLINS_STOCK_CAPACITY);
  toc.GetPackageOPT(nullptr, 0, &names, 1);
  EXPECT_EQ(names.GetNbName(), ZOLINS_STOCK_CAPACITY);
}

}  // namespace
