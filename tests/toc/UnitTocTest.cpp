#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "ZOLINSUnitToc.h"
#include "support/TestSupport.h"
#include "toc/RecordLine.h"

namespace {

class UnitToc : public ::testing::Test {
 protected:
  void SetUp() override { record.Init(); }

  int Parse(const std::string& line) { return zol::ParseRecordLine(record, line, message); }
  std::string Written() {
    ZOLUnicodeString line("previous text");
    EXPECT_EQ(record.WriteLineToc(line, message), 1);
    return line.ConvertToChar();
  }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  ZOLINSUnitToc record;
  ZOLUnicodeString message;
};

TEST_F(UnitToc, FullLineParsesIntoEveryFieldAndIsWrittenBackAsItWas) {
  const std::string line =
      "code:FWK:Alpha:Beta :Gamma Delta :Delta/Epsilon :1024:stamp:os1:ga1:2:Alpha framework:10 20 "
      ":";
  ASSERT_EQ(Parse(line), 1);
  EXPECT_EQ(record.GetType(), ZOLINS_CODE);
  EXPECT_EQ(record.GetPackage(), ZOLINS_FWK);
  EXPECT_STREQ(record.GetName(), "Alpha");
  ASSERT_EQ(record.GetNbSupersede(), 1);
  EXPECT_STREQ(record.GetSupersede(0), "Beta");
  ASSERT_EQ(record.GetNbPrereq(), 2);
  EXPECT_STREQ(record.GetPrereq(0), "Gamma");
  EXPECT_STREQ(record.GetPrereq(1), "Delta");
  ASSERT_EQ(record.GetNbIfreq(), 1);
  EXPECT_STREQ(record.GetIfreq(0)->GetPL(), "Delta");
  EXPECT_STREQ(record.GetIfreq(0)->GetUB(), "Epsilon");
  EXPECT_EQ(record.GetSizefs(), 1024u);
  EXPECT_STREQ(record.GetTimestamp(), "stamp");
  EXPECT_STREQ(record.GetOS(), "os1");
  EXPECT_STREQ(record.GetGALevel(), "ga1");
  EXPECT_EQ(record.GetSPKLevel(), 2);
  EXPECT_STREQ(record.GetLabel(), "Alpha framework");
  ASSERT_EQ(record.GetNbLangSize(), 2);
  EXPECT_EQ(record.GetLangSize(0), 10u);
  EXPECT_EQ(record.GetLangSize(1), 20u);
  EXPECT_EQ(record.GetLangSize(5), 0u);
  EXPECT_EQ(record.GetLangSize(-1), 0u);
  EXPECT_EQ(Written(), line);
}

TEST_F(UnitToc, EmptyFieldsParseAsEmptyAndAreWrittenBackAsTheyWere) {
  const std::string line = "code:FWK:A::::0::::0:L:";
  ASSERT_EQ(Parse(line), 1);
  EXPECT_STREQ(record.GetName(), "A");
  EXPECT_EQ(record.GetNbSupersede() + record.GetNbPrereq() + record.GetNbIfreq(), 0);
  EXPECT_EQ(record.GetSizefs(), 0u);
  EXPECT_STREQ(record.GetTimestamp(), "");
  EXPECT_STREQ(record.GetOS(), "");
  EXPECT_STREQ(record.GetGALevel(), "");
  EXPECT_EQ(record.GetSPKLevel(), 0);
  EXPECT_STREQ(record.GetLabel(), "L");
  EXPECT_EQ(record.GetNbLangSize(), 0);
  EXPECT_EQ(Written(), line);
}

TEST_F(UnitToc, RefusedLinesGiveTheirMessageAndMinusOne) {
  EXPECT_EQ(Parse("unknownQ:FWK:A::::0::::0:L:"), -1);
  EXPECT_STREQ(message.ConvertToChar(), "ZOLINSUnitToc: unknown type: unknownQ\n");
  EXPECT_EQ(Parse("Code:FWK:A::::0::::0:L:"), -1);
  EXPECT_STREQ(message.ConvertToChar(), "ZOLINSUnitToc: unknown type: Code\n");
  EXPECT_EQ(Parse("code:FIX:A::::0::::0:L:"), -1);
  EXPECT_STREQ(message.ConvertToChar(), "ZOLINSUnitToc: unknown package: FIX\n");
  EXPECT_EQ(Parse("code:FSP:Base.1::::0::::1:Fix set:"), -1);
  EXPECT_STREQ(message.ConvertToChar(), "ZOLINSUnitToc: missing prereq for Base.1\n");
  EXPECT_EQ(record.GetLabel(), nullptr);  // fields after the prereq field are not read
  message = "kept";
  EXPECT_EQ(Parse("code:FSP:Base.1::Base:::0::::1:Fix set:"), 1);
  EXPECT_STREQ(message.ConvertToChar(), "kept");
}

TEST_F(UnitToc, BlanksAroundFieldsAndWordsDoNotCount) {
  ASSERT_EQ(Parse(" code : FWK : A :   A   B   :: :0::::0:L:"), 1);
  EXPECT_EQ(record.GetType(), ZOLINS_CODE);
  EXPECT_EQ(record.GetPackage(), ZOLINS_FWK);
  EXPECT_STREQ(record.GetName(), "A");
  ASSERT_EQ(record.GetNbSupersede(), 2);
  EXPECT_STREQ(record.GetSupersede(0), "A");
  EXPECT_STREQ(record.GetSupersede(1), "B");
}

TEST_F(UnitToc, HotFixLevelAndBaseFramework) {
  const struct {
    const char* name;
    int level;
  } cases[] = {{"Base.12", 12}, {"Base", 0}, {"Base.", 0}, {"B.2.7x", 7}};
  for (const auto& c : cases) {
    ASSERT_EQ(Parse(std::string("code:HFX:") + c.name + "::::0::::0:L:"), 1);
    EXPECT_EQ(record.GetHFXLevel(), c.level) << c.name;
  }
  ASSERT_EQ(Parse("code:PRD:Base.12::::0::::0:L:"), 1);
  EXPECT_EQ(record.GetHFXLevel(), 0);
  char* base = record.GetBaseFWK();
  EXPECT_STREQ(base, "Base");
  delete[] base;
  ASSERT_EQ(Parse("code:PRD:NoDot::::0::::0:L:"), 1);
  base = record.GetBaseFWK();
  EXPECT_STREQ(base, "NoDot");
  delete[] base;
}

TEST_F(UnitToc, ListsAreWrittenWithATrailingBlankPerEntry) {
  ASSERT_EQ(Parse("code:SPK:S.1:::P/U:0::::1:L:7"), 1);
  EXPECT_EQ(Written(), "code:SPK:S.1:::P/U :0::::1:L:7 :");
}

TEST_F(UnitToc, MaxSPKLevelOnlyRises) {
  EXPECT_EQ(record.SetMaxSPKLevel(3), 3);
  EXPECT_EQ(record.SetMaxSPKLevel(2), 3);
  EXPECT_EQ(record.GetMaxSPKLevel(), 3);
}

TEST_F(UnitToc, LongFieldsAreCutToTheirWidths) {
  const std::string name60(60, 'n');
  ASSERT_EQ(Parse("code:FWK:" + name60 + "::::0:" + std::string(20, '9') + ":" +
                  std::string(10, 'o') + ":" + std::string(10, 'g') + ":0:L:"),
            1);
  EXPECT_EQ(std::string(record.GetName()), name60.substr(0, 47));
  EXPECT_EQ(std::strlen(record.GetTimestamp()), 14u);
  EXPECT_STREQ(record.GetOS(), "ooooooo");
  EXPECT_STREQ(record.GetGALevel(), "ggggggg");
}

TEST_F(UnitToc, HugeFieldsAndListsStayInsideTheirBuffers) {
  const std::string huge(10000, 'h');
  std::string words;
  for (int i = 0; i < 5000; ++i) words += "w" + std::to_string(i) + " ";
  ASSERT_EQ(Parse("code:FWK:" + huge + ":" + words + ":" + huge + ":" + huge + "/" + huge +
                  ":1:" + huge + ":" + huge + ":" + huge + ":1:" + huge + ":" + words),
            1);
  EXPECT_EQ(std::strlen(record.GetName()), 47u);
  ASSERT_EQ(record.GetNbSupersede(), 5000);
  EXPECT_STREQ(record.GetSupersede(4999), "w4999");
  EXPECT_EQ(std::strlen(record.GetPrereq(0)), 47u);
  EXPECT_EQ(std::strlen(record.GetIfreq(0)->GetUB()), 47u);
  EXPECT_EQ(std::string(record.GetLabel()), huge);
  EXPECT_EQ(record.GetNbLangSize(), 5000);
  EXPECT_EQ(record.GetLangSize(3), 0u);  // "w3" is not a number
  const std::string line = Written();
  EXPECT_NE(line.find(":" + huge + ":"), std::string::npos);
}

TEST_F(UnitToc, LinesOfOnlyColonsOrNothingAreRefused) {
  EXPECT_EQ(Parse(std::string(5000, ':')), -1);
  EXPECT_STREQ(message.ConvertToChar(), "ZOLINSUnitToc: unknown type: \n");
  EXPECT_EQ(Parse(""), -1);
  ASSERT_EQ(Parse("samples:SMP:S"), 1);  // missing fields at the end read as empty
  EXPECT_STREQ(record.GetLabel(), "");
}

TEST_F(UnitToc, ReparsingAndMovingKeepOneOwnerPerList) {
  ASSERT_EQ(Parse("code:PRD:A:X Y:Z::1::::0:L:1 2"), 1);
  ASSERT_EQ(Parse("code:PRD:B:X:Z::1::::0:L2:1"), 1);  // the first lists are freed
  ZOLINSUnitToc moved(std::move(record));
  EXPECT_STREQ(moved.GetName(), "B");
  EXPECT_EQ(moved.GetNbSupersede(), 1);
  EXPECT_EQ(record.GetNbSupersede(), 0);
  EXPECT_EQ(record.GetLabel(), nullptr);
  record = std::move(moved);
  EXPECT_STREQ(record.GetLabel(), "L2");
}

TEST_F(UnitToc, SizesAboveTheSignedRangeSurviveTheRoundTrip) {
  ASSERT_EQ(Parse("code:PRD:A::::3000000000::::0:L:4000000000"), 1);
  const std::string line = Written();
  EXPECT_EQ(line, "code:PRD:A::::-1294967296::::0:L:-294967296 :");
  ASSERT_EQ(Parse(line), 1);
  EXPECT_EQ(record.GetSizefs(), 3000000000u);
  EXPECT_EQ(record.GetLangSize(0), 4000000000u);
}

TEST_F(UnitToc, TimestampIsFourteenDigits) {
  record.SetTimestamp();
  const std::string stamp = record.GetTimestamp();
  ASSERT_EQ(stamp.size(), 14u);
  EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos);
}

TEST_F(UnitToc, CutFieldCountsWordsAndStripsTheField) {
  ZOLUnicodeString field("   A  B   ");
  int count = -1;
  char(*names)[ZOLINS_NAME_SIZE] = nullptr;
  record.CutField(field, count, names);
  EXPECT_STREQ(field.ConvertToChar(), "A  B");
  ASSERT_EQ(count, 2);
  EXPECT_STREQ(names[1], "B");
  delete[] names;
  ZOLUnicodeString blank("  ");
  unsigned int* numbers = nullptr;
  record.CutField(blank, count, numbers);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(numbers, nullptr);
}

}  // namespace

namespace {

TEST(RecordLine, EmptyFieldsInRunsOfColonsStayFields) {
  // What opening up "::" twice guarantees, the tokenizer gives by itself.
  for (const char* line : {"code:FWK:A:::::::::L:", "code:FWK:A: : : : : : : : :L:"}) {
    ZOLINSUnitToc record;
    ZOLUnicodeString message;
    ASSERT_EQ(zol::ParseRecordLine(record, line, message), 1) << line;
    EXPECT_STREQ(record.GetLabel(), "L");
    EXPECT_EQ(record.GetNbPrereq(), 0);
  }
}

}  // namespace
