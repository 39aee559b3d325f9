#include <string>

#include "PlanningFixture.h"

namespace {

using zoltest::At;
using zoltest::E;

// Words "<prefix><from>" .. "<prefix><to - 1>", blank-separated; with `then`, each becomes
// "<prefix>i/<then>i", a conditional prerequisite.
std::string Words(const std::string& prefix, int from, int to, const std::string& then = "") {
  std::string words;
  for (int i = from; i < to; ++i) {
    words += prefix + std::to_string(i);
    if (!then.empty()) words += "/" + then + std::to_string(i);
    words += ' ';
  }
  return words;
}

// N0 requires N1, which requires N2, ... up to N(n-1); order numbers run backwards so that the
// output must be sorted and looked up through the order index.
std::string Chain(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    E e("N" + std::to_string(i));
    if (i + 1 < n) e.Prereq("N" + std::to_string(i + 1));
    text += At(e.Size(1), 10 * n - i);
  }
  return text;
}

class Capacity : public zoltest::Planning {
 protected:
  std::string InternalError(const char* word) {
    return std::string("ZOLINSMediaToc::GetSize: internal error ") + word;
  }
};

TEST_F(Capacity, DeepChainIsPlannedWhole) {
  LoadMedia(Chain(4000));
  const auto plan = GetSize({"N0"});
  EXPECT_EQ(plan.result, 4000 + 400);
  ASSERT_EQ(plan.names.size(), 4000u);
  EXPECT_EQ(plan.names.front(), "N3999");
  EXPECT_EQ(plan.names[1234], "N2765");
  EXPECT_EQ(plan.names.back(), "N0");

  ZOLUnicodeString msg;
  const auto ga = GetSizeGA({"N0"}, msg);
  EXPECT_EQ(ga.result, 4000);
  EXPECT_EQ(ga.names, plan.names);
}

TEST_F(Capacity, WideTreeWithConditionsMetLateIsPlannedWhole) {
  // T0..T2999 form a binary tree; T0..T999 also carry a condition on a node deep in the tree
  // (C_i comes when T(2999 - i) is selected) and one on a name that never appears.
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    E e("T" + std::to_string(i));
    std::string prereqs;
    for (int child : {2 * i + 1, 2 * i + 2})
      if (child < 3000) prereqs += "T" + std::to_string(child) + " ";
    e.Prereq(prereqs);
    if (i < 1000)
      e.Ifreq("T" + std::to_string(2999 - i) + "/C" + std::to_string(i) + " NEVER" +
              std::to_string(i) + "/Z" + std::to_string(i));
    text += At(e.Size(1), 3 + i);
  }
  for (int i = 0; i < 1000; ++i) text += At(E("C" + std::to_string(i)).Size(2), 3003 + i);
  text += At(E("Z0").Size(100), 5000);
  LoadMedia(text);

  const auto plan = GetSize({"T0"});
  EXPECT_EQ(plan.result, 3000 + 2000 + 400);
  ASSERT_EQ(plan.names.size(), 4000u);
  EXPECT_EQ(plan.names[2999], "T2999");
  EXPECT_EQ(plan.names[3000], "C0");
  EXPECT_EQ(plan.names.back(), "C999");
  EXPECT_EQ(Info(), "");
}

TEST_F(Capacity, ClosureOf4096FitsAndOneMoreOverflows) {
  LoadMedia(Chain(4096));
  EXPECT_EQ(GetSize({"N0"}).names.size(), 4096u);
  LoadMedia(Chain(4097));
  const auto plan = GetSize({"N0"});
  EXPECT_EQ(plan.result, -1);
  EXPECT_EQ(Info(), InternalError("nbtoinstall"));
  EXPECT_FALSE(plan.namesHandedOut);

  ZOLUnicodeString msg("before. ");
  EXPECT_EQ(GetSizeGA({"N0"}, msg).result, kAllBits);
  EXPECT_EQ(msg.str(), "before. " + InternalError("nbtoinstall"));
}

TEST_F(Capacity, EachWorkingListReportsItsOwnOverflow) {
  // Too many prerequisites for the next pass.
  LoadMedia(At(E("A").Prereq(Words("P", 0, 4097)), 3));
  EXPECT_EQ(GetSize({"A"}).result, -1);
  EXPECT_EQ(Info(), InternalError("nbtoscanafter"));

  // Too many conditional prerequisites in one pass...
  ZOLINSToc::sResetInfoMsg();
  LoadMedia(At(E("A").Ifreq(Words("C", 0, 4097, "U")), 3));
  EXPECT_EQ(GetSize({"A"}).result, -1);
  EXPECT_EQ(Info(), InternalError("nbifreq"));

  // ... or counting those put off from earlier passes.
  ZOLINSToc::sResetInfoMsg();
  LoadMedia(At(E("A").Prereq("B").Ifreq(Words("C", 0, 2100, "U")), 3) +
            At(E("B").Ifreq(Words("D", 0, 2100, "V")), 4));
  EXPECT_EQ(GetSize({"A"}).result, -1);
  EXPECT_EQ(Info(), InternalError("nbifreq"));

  // A required element that finds the next pass full.
  ZOLINSToc::sResetInfoMsg();
  LoadMedia(At(E("A").Prereq(Words("P", 0, 4096)).Ifreq("A/U"), 3));
  EXPECT_EQ(GetSize({"A"}).result, -1);
  EXPECT_EQ(Info(), InternalError("nbtoscanafter3"));

  // Names examined but missing from the medium fill the examined list when sizing archives.
  ZOLINSToc::sResetInfoMsg();
  LoadMedia(At(E("A").Prereq(Words("P", 0, 4096)), 3));
  EXPECT_EQ(GetSize({"A"}, ZOLINS_CODE, 1).result, -1);
  EXPECT_EQ(Info(), InternalError("nbscanned2"));
}

TEST_F(Capacity, RequestBeyond4096DistinctNamesOverflowsTheExaminedList) {
  LoadMedia(At(E("A"), 3));
  std::vector<std::string> request;
  for (int i = 0; i < 4097; ++i) request.push_back("M" + std::to_string(i));
  EXPECT_EQ(GetSize(request).result, -1);
  const std::string info = Info();
  // The last name is reported, then finds no room among the names examined.
  const std::string tail = "M4096 code is not found on the media\n" + InternalError("nbscanned2");
  ASSERT_GE(info.size(), tail.size());
  EXPECT_EQ(info.substr(info.size() - tail.size()), tail);
}

}  // namespace
