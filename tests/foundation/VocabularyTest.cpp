#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSCompar.h"
#include "ZOLINSIfreq.h"
#include "ZOLINSStock.h"
#include "ZOLInsFic.h"
#include "foundation/OrderedSet.h"
#include "foundation/StockFill.h"
#include "support/TestSupport.h"

namespace {

TEST(Comparators, StringNumberAndIfreqOrders) {
  EXPECT_LT(ComparString("ABC", "ABD"), 0);
  EXPECT_LT(ComparString("A", "\xC3"), 0);  // bytes are unsigned
  EXPECT_LT(ComparStringRevert("B", "A"), 0);
  EXPECT_EQ(ComparStringRevert("A", "A"), 0);
  EXPECT_LT(ComparString2("ABCD", "ZZZ"), 0);
  EXPECT_GT(ComparString2("ZZZ", "ABCD"), 0);
  EXPECT_LT(ComparString2("ABC", "ABD"), 0);
  const char *a = "A", *b = "B";
  EXPECT_LT(ComparStringPointer(&a, &b), 0);
  const int three = 3, seven = 7;
  EXPECT_LT(ComparNum(&three, &seven), 0);
  EXPECT_EQ(ComparNum(&seven, &seven), 0);

  ZOLINSIfreq pu, pv;
  pu.Init(std::string_view("P/U"));
  pv.Init(std::string_view("P/V"));
  ZOLINSIfreq *x = &pu, *y = &pv, *none = nullptr;
  EXPECT_LT(ComparIfreq(&x, &y), 0);
  EXPECT_GT(ComparIfreq(&y, &x), 0);
  EXPECT_EQ(ComparIfreq(&x, &x), 0);
  EXPECT_EQ(ComparIfreq(&none, &x), -1);
  EXPECT_EQ(ComparIfreq(&x, &none), -1);
  EXPECT_EQ(ComparIfreq(nullptr, &x), -1);
}

TEST(Ifreq, InitStripsAndSplitsAtSlash) {
  ZOLINSIfreq ifreq;
  auto split = [&](const std::string& text) {  // the word after Init, then PL|UB
    ZOLUnicodeString word(text);
    ifreq.Init(word);
    return word.str() + " -> " + ifreq.GetPL() + "|" + ifreq.GetUB();
  };
  EXPECT_EQ(split(" P/U "), "P/U -> P|U");
  EXPECT_EQ(split("P"), "P -> P|");
  EXPECT_EQ(split("A/B/C"), "A/B/C -> A|B");
  const std::string p(100, 'p'), u(100, 'u');  // cut to the 48-byte name buffers
  EXPECT_EQ(split(p + "/" + u), p + "/" + u + " -> " + p.substr(0, 47) + "|" + u.substr(0, 47));
}

TEST(Containers, AddOnceAndStopAtCapacity) {
  auto stock = std::make_unique<ZOLINSStockIndex>();
  stock->Reset();
  for (int i = 0; i < ZOLINS_STOCK_CAPACITY; ++i) ASSERT_EQ(stock->AddIndex(i), i);
  EXPECT_EQ(stock->AddIndex(ZOLINS_STOCK_CAPACITY), -1);
  EXPECT_EQ(stock->AddIndex(7), 7);  // present: still found
  EXPECT_EQ(stock->GetNbIndex(), ZOLINS_STOCK_CAPACITY);

  ZOLINSStockNameInst small(2);
  std::vector<int> positions;
  for (const char* name : {"B", "A", "B", "C"}) positions.push_back(small.AddName(name));
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 0, -1}));
  EXPECT_EQ(small.GetNbName(), 2);
  EXPECT_STREQ(small.GetName(1), "A");
  EXPECT_EQ(small.GetLabel(1), nullptr);
  ZOLINSStockNameInst empty(0);
  EXPECT_EQ(empty.AddName("A"), -1);
  EXPECT_EQ(empty.GetTabLabel(), nullptr);

  auto names = std::make_unique<ZOLINSStockName>();
  names->Reset();
  const std::string longName(300, 'n');  // cut to 47 bytes, and then equal to its own cut
  EXPECT_EQ(names->AddName(longName.c_str()), 0);
  EXPECT_EQ(std::strlen(names->GetName(0)), 47u);
  EXPECT_EQ(names->AddName(longName.substr(0, 47).c_str()), 0);
}

// The fills take the walk's word that an entry is new: they only count, up to the capacity.
TEST(Containers, FillsKeepTheCapacityAndTheWalksOwnDuplicateCheck) {
  auto indexes = std::make_unique<ZOLINSStockIndex>();
  indexes->AddIndex(99);
  zol::IndexFill fill(*indexes);  // resets
  for (int i = 0; i < ZOLINS_STOCK_CAPACITY; ++i) ASSERT_TRUE(fill.Add(i));
  EXPECT_FALSE(fill.Add(ZOLINS_STOCK_CAPACITY));
  EXPECT_EQ(indexes->GetNbIndex(), ZOLINS_STOCK_CAPACITY);
  EXPECT_EQ(indexes->GetIndex(ZOLINS_STOCK_CAPACITY - 1), ZOLINS_STOCK_CAPACITY - 1);

  ZOLINSStockNameInst two(2);
  zol::NameFill<ZOLINSStockNameInst> names(two);
  const std::string longName(60, 'n');
  const std::vector<std::string> offered = {longName, "B", longName, "B", "C"};
  zol::NewNames met;  // holds views of `offered`
  std::vector<std::string> added;
  for (const std::string& name : offered)
    if (met.First(name) && names.Add(name.c_str()))
      added.push_back(two.GetName(two.GetNbName() - 1));
  EXPECT_EQ(added, (std::vector<std::string>{longName.substr(0, 47), "B"}));
  EXPECT_EQ(two.GetLabel(1), nullptr);
  ZOLINSStockNameInst none(0);
  EXPECT_FALSE(zol::NameFill<ZOLINSStockNameInst>(none).Add("A"));
}

TEST(OrderedSet, KeepsFirstSeenOrderAndCapacity) {
  using R = zol::OrderedSet<int>::Result;
  zol::OrderedSet<int> set(3);
  const std::pair<int, R> adds[] = {{5, R::Added}, {1, R::Added}, {5, R::Present},
                                    {9, R::Added}, {2, R::Full},  {1, R::Present}};
  for (auto [value, result] : adds) EXPECT_EQ(set.Add(value), result) << value;
  EXPECT_EQ(std::vector<int>(set.begin(), set.end()), (std::vector<int>{5, 1, 9}));
  EXPECT_TRUE(set.Contains(9));
  EXPECT_FALSE(set.Contains(2));
}

// ZOLInsFicGetInfo counts the lines that end with a line feed; the longest line, line feed
// included, plus 32 is the size it returns.
TEST(FileMeasure, LinesAndLongestLine) {
  zoltest::TempDir dir;
  const std::string longest = "x\n\n" + std::string(5000, 'y') + "\n";
  const std::tuple<const char*, const char*, int, int> rows[] = {{"a", "ab\ncdef", 36, 1},
                                                                 {"e", "", 32, 0},
                                                                 {"none", nullptr, 32, 0},
                                                                 {"c", longest.c_str(), 5033, 3}};
  for (const auto& [name, content, size, lines] : rows) {
    ZOLUnicodeString path(content ? dir.Write(name, content) : dir / name);
    int nbLines = -1, maxSize = -1;
    EXPECT_EQ(ZOLInsFicGetInfo(path, nbLines, maxSize), size) << name;
    EXPECT_EQ(maxSize, size) << name;
    EXPECT_EQ(nbLines, lines) << name;
    EXPECT_EQ(ZOLInsFicMaxSizeLine(path), size) << name;
  }
}

}  // namespace
