#include <search.h>

#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSCompar.h"
#include "ZOLINSIfreq.h"
#include "ZOLINSStock.h"
#include "ZOLInsFic.h"
#include "foundation/OrderedSet.h"
#include "support/TestSupport.h"

namespace {

TEST(Keywords, TablesAreIndexedByValue) {
  EXPECT_STREQ(ZOLINSTypeKeyword[ZOLINS_DOCUMENTATION], "documentation");
  EXPECT_STREQ(ZOLINSTypeKeyword[ZOLINS_UNKNOWNQ], "unknownQ");
  EXPECT_STREQ(ZOLINSTypeKeyword[ZOLINS_SAMPLES], "samples");
  EXPECT_STREQ(ZOLINSPkgKeyword[ZOLINS_FIX], "FIX");
  EXPECT_STREQ(ZOLINSPkgKeyword[ZOLINS_SMP], "SMP");
  EXPECT_EQ(sizeof(ZOLINSType), 4u);
  EXPECT_EQ(sizeof(ZOLINSPkg), 4u);
}

TEST(Comparators, StringOrders) {
  EXPECT_LT(ComparString("ABC", "ABD"), 0);
  EXPECT_LT(ComparString("A", "\xC3"), 0);  // bytes are unsigned
  EXPECT_LT(ComparStringRevert("B", "A"), 0);
  EXPECT_EQ(ComparStringRevert("A", "A"), 0);
  EXPECT_LT(ComparString2("ABCD", "ZZZ"), 0);
  EXPECT_GT(ComparString2("ZZZ", "ABCD"), 0);
  EXPECT_LT(ComparString2("ABC", "ABD"), 0);
  const char* a = "A";
  const char* b = "B";
  EXPECT_LT(ComparStringPointer(&a, &b), 0);
}

TEST(Comparators, NumAndIfreq) {
  const int three = 3, seven = 7;
  EXPECT_LT(ComparNum(&three, &seven), 0);
  EXPECT_EQ(ComparNum(&seven, &seven), 0);

  ZOLINSIfreq pu, pv;
  ZOLUnicodeString w1("P/U"), w2("P/V");
  pu.Init(w1);
  pv.Init(w2);
  ZOLINSIfreq* x = &pu;
  ZOLINSIfreq* y = &pv;
  ZOLINSIfreq* none = nullptr;
  EXPECT_LT(ComparIfreq(&x, &y), 0);
  EXPECT_GT(ComparIfreq(&y, &x), 0);
  EXPECT_EQ(ComparIfreq(&x, &x), 0);
  EXPECT_EQ(ComparIfreq(&none, &x), -1);
  EXPECT_EQ(ComparIfreq(&x, &none), -1);
  EXPECT_EQ(ComparIfreq(nullptr, &x), -1);
}

TEST(Ifreq, InitStripsAndSplitsAtSlash) {
  ZOLINSIfreq ifreq;
  ZOLUnicodeString word(" P/U ");
  ifreq.Init(word);
  EXPECT_STREQ(word.ConvertToChar(), "P/U");
  EXPECT_STREQ(ifreq.GetPL(), "P");
  EXPECT_STREQ(ifreq.GetUB(), "U");
  ZOLUnicodeString alone("P");
  ifreq.Init(alone);
  EXPECT_STREQ(ifreq.GetPL(), "P");
  EXPECT_STREQ(ifreq.GetUB(), "");
  ZOLUnicodeString three("A/B/C");
  ifreq.Init(three);
  EXPECT_STREQ(ifreq.GetUB(), "B");
  ZOLUnicodeString huge(std::string(100, 'p') + "/" + std::string(100, 'u'));
  ifreq.Init(huge);
  EXPECT_EQ(std::strlen(ifreq.GetPL()), 47u);
  EXPECT_EQ(std::strlen(ifreq.GetUB()), 47u);
}

TEST(Containers, LsearchOnTheIndexArrayAddsOnce) {
  ZOLINSStockIndex stock;
  int* base = stock.Reset();
  size_t count = 0;
  int key = 12;
  lsearch(&key, base, &count, sizeof(int), ComparNum);
  lsearch(&key, base, &count, sizeof(int), ComparNum);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(stock.AddIndex(5), 0);
  EXPECT_EQ(stock.AddIndex(5), 0);
  EXPECT_EQ(stock.GetNbIndex(), 1);
}

TEST(Containers, AddStopsAtCapacityAndStaysConsistent) {
  auto stock = std::make_unique<ZOLINSStockIndex>();
  for (int i = 0; i < ZOLINS_STOCK_CAPACITY; ++i) ASSERT_EQ(stock->AddIndex(i), i);
  EXPECT_EQ(stock->AddIndex(ZOLINS_STOCK_CAPACITY), -1);
  EXPECT_EQ(stock->AddIndex(7), 7);  // present: still found
  EXPECT_EQ(stock->GetNbIndex(), ZOLINS_STOCK_CAPACITY);

  ZOLINSStockNameInst small(2);
  EXPECT_EQ(small.AddName("B"), 0);
  EXPECT_EQ(small.AddName("A"), 1);
  EXPECT_EQ(small.AddName("B"), 0);
  EXPECT_EQ(small.AddName("C"), -1);
  EXPECT_EQ(small.GetNbName(), 2);
  EXPECT_STREQ(small.GetName(1), "A");
  EXPECT_EQ(small.GetLabel(1), nullptr);
  ZOLINSStockNameInst empty(0);
  EXPECT_EQ(empty.AddName("A"), -1);
  EXPECT_EQ(empty.GetTabLabel(), nullptr);
}

TEST(Containers, StockNameCutsLongNames) {
  auto stock = std::make_unique<ZOLINSStockName>();
  stock->Reset();
  const std::string longName(300, 'n');
  EXPECT_EQ(stock->AddName(longName.c_str()), 0);
  EXPECT_EQ(std::strlen(stock->GetName(0)), 47u);
  EXPECT_EQ(stock->AddName(longName.substr(0, 47).c_str()), 0);
}

TEST(OrderedSet, KeepsFirstSeenOrderAndCapacity) {
  zol::OrderedSet<int> set(3);
  using R = zol::OrderedSet<int>::Result;
  EXPECT_EQ(set.Add(5), R::Added);
  EXPECT_EQ(set.Add(1), R::Added);
  EXPECT_EQ(set.Add(5), R::Present);
  EXPECT_EQ(set.Add(9), R::Added);
  EXPECT_EQ(set.Add(2), R::Full);
  EXPECT_EQ(set.Add(1), R::Present);
  EXPECT_EQ(std::vector<int>(set.begin(), set.end()), (std::vector<int>{5, 1, 9}));
  set.Sort([](int a, int b) { return a < b; });
  EXPECT_EQ(std::vector<int>(set.begin(), set.end()), (std::vector<int>{1, 5, 9}));
  EXPECT_TRUE(set.Contains(9));
  EXPECT_FALSE(set.Contains(2));
}

TEST(FileMeasure, LinesAndLongestLine) {
  zoltest::TempDir dir;
  ZOLUnicodeString twoLines(dir.Write("a", "ab\ncdef").c_str());
  int nbLines = -1, maxSize = -1;
  EXPECT_EQ(ZOLInsFicGetInfo(twoLines, nbLines, maxSize), 36);
  EXPECT_EQ(nbLines, 1);
  EXPECT_EQ(maxSize, 36);
  EXPECT_EQ(ZOLInsFicMaxSizeLine(twoLines), 36);

  ZOLUnicodeString empty(dir.Write("e", "").c_str());
  EXPECT_EQ(ZOLInsFicGetInfo(empty, nbLines, maxSize), 32);
  EXPECT_EQ(nbLines, 0);
  EXPECT_EQ(ZOLInsFicMaxSizeLine(empty), 32);

  ZOLUnicodeString missing((dir / "none").c_str());
  EXPECT_EQ(ZOLInsFicGetInfo(missing, nbLines, maxSize), 32);
  EXPECT_EQ(nbLines, 0);

  ZOLUnicodeString counted(dir.Write("c", "x\n\n" + std::string(5000, 'y') + "\n").c_str());
  EXPECT_EQ(ZOLInsFicGetInfo(counted, nbLines, maxSize), 5033);
  EXPECT_EQ(nbLines, 3);
}

}  // namespace
