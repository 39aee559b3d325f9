#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"
#include "toc/UnboundedQueries.h"

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
  V Superseded(char (*requested)[ZOLINS_NAME_SIZE], int nb) {
    toc.GetPackageOPT(requested, nb, &names, 0);
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

TEST_F(TocQuery, GetPackageSortsLabelsAndFilters) {
  dir.Write("PCFG.list", "A\nB\n");
  Load({E("B").Pkg("FWK").Label("LB"), E("A").Pkg("FWK").Label("LA"), E("C").Pkg("FWK"),
        E("R").Pkg("FWK").Type("rux2"), E("D").Pkg("PDO").Type("documentation")});
  EXPECT_EQ(Package(ZOLINS_FWK, ZOLINS_CODE), (V{"A=LA", "B=LB", "C=C label"}));
  EXPECT_EQ(names.GetLabel(0), toc.GetIiemeUnitToc(1)->GetLabel());  // the record's own label
  EXPECT_EQ(Package(ZOLINS_FWK, ZOLINS_CODE, 1), (V{"A=LA", "B=LB"}));
  EXPECT_EQ(Package(ZOLINS_FIX, ZOLINS_CODE), V{});
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
  Load({E("A").Prereq("B"), E("S").Pkg("SPK").Ifreq("P/F"), E("C").Prereq("Q B")});
  EXPECT_EQ(Indexes(&ZOLINSToc::GetPrerequing, "B"), (I{0, 2}));
  EXPECT_EQ(Indexes(&ZOLINSToc::GetIfrequing, "F"), I{1});
  EXPECT_EQ(Indexes(&ZOLINSToc::GetIfrequing, "P"), I{});
}

TEST_F(TocQuery, RemoveShiftsTheRecordsUpWhole) {
  Load({E("A").Supersede("S1"), E("B").Supersede("S2"), E("C").Supersede("S3"), E("B")});
  EXPECT_EQ(toc.Remove("B", ZOLINS_CODE, message), 1);
  EXPECT_EQ(toc.GetNbToc(), 3);
  EXPECT_STREQ(toc.GetIiemeUnitToc(1)->GetSupersede(0), "S3");
  EXPECT_EQ(toc.GetIndex("B", ZOLINS_CODE), 2);  // the later B is now the first
  message = "";
  EXPECT_EQ(toc.Remove("Z", ZOLINS_RUX2, message), 0);
  EXPECT_EQ(message.str(), "ZOLINSToc::Remove: Z rux2: not found in " + path + "\n");
}

class SharedNames : public TocQuery, public ::testing::WithParamInterface<std::vector<int>> {
 protected:
  // What every lookup must give, from a plain scan of the table as it is.
  void ExpectLookupsMatchAScan() {
    for (const char* name : {"A", "B", "C", "D", "HUB"}) {
      int any = -1;
      for (ZOLINSType type : {ZOLINS_CODE, ZOLINS_RUX2, ZOLINS_DOCUMENTATION, ZOLINS_SAMPLES}) {
        int first = -1;
        for (int i = toc.GetNbToc() - 1; i >= 0; --i) {
          const ZOLINSUnitToc& record = *toc.GetIiemeUnitToc(i);
          if (std::string(record.GetName()) != name) continue;
          if (record.GetType() == type) first = i;
          if (any < 0 || i < any) any = i;
        }
        EXPECT_EQ(toc.GetIndex(name, type), first) << name << " of type " << type;
      }
      EXPECT_EQ(toc.GetIndexAnyType(name), any) << name;
      EXPECT_EQ(toc.GetIndex(name, ZOLINS_UNKNOWNQ), -1) << name;  // no wildcard here
    }
    I requiring;
    for (int i = 0; i < toc.GetNbToc(); ++i) {
      const ZOLINSUnitToc& record = *toc.GetIiemeUnitToc(i);
      if (record.GetType() == ZOLINS_CODE && record.GetNbPrereq() > 0 &&
          std::string(record.GetPrereq(0)) == "HUB")
        requiring.push_back(i);
    }
    EXPECT_EQ(Indexes(&ZOLINSToc::GetPrerequing, "HUB"), requiring);
  }
};

// Removes in turn the records at these positions (negative from the end) of the table as it is.
TEST_P(SharedNames, LookupsStayTrueAfterEachRemoval) {
  EXPECT_EQ(toc.GetIndex("A", ZOLINS_CODE), -1);  // not loaded
  // Names shared across types and repeated (name, type) pairs: removals hand a first place on.
  Load({E("A").Prereq("HUB"), E("A").Type("rux2"), E("B").Prereq("HUB X"), E("A"),
        E("C").Type("samples"), E("B").Type("rux2"), E("C").Prereq("HUB"), E("B"),
        E("A").Type("rux2"), E("D").Prereq("HUB"), E("C"), E("A")});
  EXPECT_EQ(toc.GetIndex(nullptr, ZOLINS_CODE), -1);
  ExpectLookupsMatchAScan();
  for (int position : GetParam()) {
    if (position < 0) position += toc.GetNbToc();  // counted from the end
    const ZOLINSUnitToc* record = toc.GetIiemeUnitToc(position);
    ASSERT_NE(record, nullptr);
    const std::string name = record->GetName();
    const ZOLINSType type = record->GetType();
    // Remove takes the first record of that name and type: only remove one that is the first.
    if (toc.GetIndex(name.c_str(), type) != position) continue;
    const int before = toc.GetNbToc();
    ASSERT_EQ(toc.Remove(name.c_str(), type, message), 1);
    EXPECT_EQ(toc.GetNbToc(), before - 1);
    ExpectLookupsMatchAScan();
  }
}

INSTANTIATE_TEST_SUITE_P(FirstMiddleLast, SharedNames,
                         ::testing::Values(std::vector<int>(12, 0), std::vector<int>(12, -1),
                                           std::vector<int>{6, 5, 4, 3, 0, -1, 2, 1},
                                           std::vector<int>{3, 0, -1, 0, 1, -1, 0, 0, 0}));

TEST_F(TocQuery, NamesSharedAcrossTypesAreListedOnce) {
  Load({E("P").Type("rux2").Label("rux"), E("P").Label("code"), E("P").Type("samples"),
        E("Q").Type("rux2"), E("P").Label("again"), E("R").Supersede("X Y"),
        E("R").Type("rux2").Supersede("Y"), E("S").Supersede("X X"), E("R").Supersede("X"),
        E("X").Pkg("FWK").Label("LX"), E("Y").Pkg("FWK")});
  EXPECT_EQ(Package(ZOLINS_PRD, ZOLINS_UNKNOWNQ),
            (V{"P=code", "Q=Q label", "R=R label", "S=S label"}));
  std::vector<std::string> all;
  for (const zol::NameAndLabel& found : zol::AllOfPackage(toc, ZOLINS_PRD, ZOLINS_UNKNOWNQ, 0))
    all.push_back(std::string(found.name) + "=" + found.label);
  EXPECT_EQ(all, Names());
  toc.GetPackageOPT(nullptr, 0, &names, 1);
  EXPECT_EQ(Names(), (V{"X=LX", "Y=Y label"}));
  toc.GetPackageIncludingExtra("X", &names);  // two code records named R, and S
  EXPECT_EQ(Names(), (V{"R=R label", "S=S label"}));
  EXPECT_EQ(zol::AllSuperseding(toc, "X", ZOLINS_CODE), (I{5, 7, 8}));
  EXPECT_EQ(zol::AllSuperseding(toc, "Y", ZOLINS_RUX2), I{6});
}

// The containers keep the 4096th result, not the 4097th; the unbounded queries give every one.
TEST_F(TocQuery, The4096thResultIsKeptThe4097thOnlyByTheUnboundedQueries) {
  std::string text, names4097;
  const int n = ZOLINS_STOCK_CAPACITY + 1;
  // File order Z0000, Z0001, ..., and last A0000: the one left out would sort first.
  for (int i = 0; i < n; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "%c%04d", i + 1 < n ? 'Z' : 'A', i + 1 < n ? i : 0);
    text += E(name).Pkg("FWK").Prereq("HUB").Supersede("OLD").Line() + "\n";
    names4097 += std::string(name) + " ";
  }
  path = dir.Write("TOC", text + zoltest::TocText({E("OLD"), E("ALL").Supersede(names4097)}));
  ASSERT_EQ(zoltest::LoadPlainToc(toc, path, message), 1);
  toc.GetPackage(ZOLINS_FWK, ZOLINS_CODE, &names, 0);
  ASSERT_EQ(names.GetNbName(), ZOLINS_STOCK_CAPACITY);
  EXPECT_STREQ(names.GetName(0), "Z0000");
  EXPECT_STREQ(names.GetName(ZOLINS_STOCK_CAPACITY - 1), "Z4095");
  const std::vector<zol::NameAndLabel> all = zol::AllOfPackage(toc, ZOLINS_FWK, ZOLINS_CODE, 0);
  ASSERT_EQ(all.size(), static_cast<size_t>(n));
  EXPECT_STREQ(all[0].name, "A0000");
  EXPECT_STREQ(all[0].label, "A0000 label");
  EXPECT_STREQ(all[n - 1].name, "Z4095");

  const I requiring = Indexes(&ZOLINSToc::GetPrerequing, "HUB");
  ASSERT_EQ(requiring.size(), static_cast<size_t>(ZOLINS_STOCK_CAPACITY));
  EXPECT_EQ(requiring.back(), ZOLINS_STOCK_CAPACITY - 1);
  const std::vector<int> every = zol::AllPrerequing(toc, "HUB", ZOLINS_CODE);
  ASSERT_EQ(every.size(), static_cast<size_t>(n));
  EXPECT_EQ(every.back(), n - 1);
  EXPECT_EQ(Indexes(&ZOLINSToc::GetSuperseding, "OLD").size(), requiring.size());
  toc.GetPackageIncludingExtra("OLD", &names);  // the names of the first 4096 records
  EXPECT_EQ(names.GetNbName(), ZOLINS_STOCK_CAPACITY);
  EXPECT_STREQ(names.GetName(0), "Z0000");
  toc.GetPackageOPT(nullptr, 0, &names, 1);  // 4,098 superseded names
  EXPECT_EQ(names.GetNbName(), ZOLINS_STOCK_CAPACITY);
}

}  // namespace
