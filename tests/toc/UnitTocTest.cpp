#include <cstring>
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ZOLINSToc.h"
#include "ZOLINSUnitToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"
#include "toc/RecordLine.h"

namespace {

const auto S = [](unsigned n) { return std::to_string(n); };

// A record in one line: type, package, name, the lists and the fields that are not empty or 0,
// the label, and the language sizes.
std::string Describe(const ZOLINSUnitToc& r) {
  std::string out = std::string(ZOLINSTypeKeyword[r.GetType()]) + " " +
                    ZOLINSPkgKeyword[r.GetPackage()] + " " + r.GetName();
  const auto list = [&out](const char* key, int n, auto item) {
    for (int i = 0; i < n; ++i) out += (i ? "," : std::string(" ") + key + "[") + item(i);
    if (n) out += "]";
  };
  const auto field = [](const char* key, const std::string& value) {
    return value.empty() || value == "0" ? "" : " " + std::string(key) + "=" + value;
  };
  list("sup", r.GetNbSupersede(), [&](int i) { return std::string(r.GetSupersede(i)); });
  list("pre", r.GetNbPrereq(), [&](int i) { return std::string(r.GetPrereq(i)); });
  list("if", r.GetNbIfreq(),
       [&](int i) { return std::string(r.GetIfreq(i)->GetPL()) + "/" + r.GetIfreq(i)->GetUB(); });
  out += field("size", S(r.GetSizefs())) + field("ts", r.GetTimestamp()) + field("os", r.GetOS()) +
         field("ga", r.GetGALevel()) + field("spk", S(r.GetSPKLevel())) +
         field("hfx", S(r.GetHFXLevel())) + " label=" + (r.GetLabel() ? r.GetLabel() : "-");
  list("langs", r.GetNbLangSize(), [&](int i) { return S(r.GetLangSize(i)); });
  return out;
}

class UnitToc : public ::testing::Test {
 protected:
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

TEST_F(UnitToc, LinesParseIntoTheirFieldsAndAreWrittenBackCanonically) {
  const struct {
    std::string line, fields, written;  // written: "" when the line comes back as it was
  } cases[] = {
      {"code:FWK:Alpha:Beta :Gamma Delta :Delta/Epsilon :1024:stamp:os1:ga1:2:Alpha framework:10 "
       "20 :",
       "code FWK Alpha sup[Beta] pre[Gamma,Delta] if[Delta/Epsilon] size=1024 ts=stamp os=os1 "
       "ga=ga1 spk=2 label=Alpha framework langs[10,20]",
       ""},
      {" code : FWK : A :   A   B   :: :0::::0:L:", "code FWK A sup[A,B] label=L",
       "code:FWK:A:A B :::0::::0:L:"},
      {"code:SPK:S.1:::P/U:0::::1:L:7", "code SPK S.1 if[P/U] spk=1 label=L langs[7]",
       "code:SPK:S.1:::P/U :0::::1:L:7 :"},
      {"code:FSP:Base.1::Base::0::::1:Fix set:", "code FSP Base.1 pre[Base] spk=1 label=Fix set",
       "code:FSP:Base.1::Base ::0::::1:Fix set:"},
      {"samples:SMP:S", "samples SMP S label=", "samples:SMP:S::::0::::0::"},
      // The hot-fix level: the digits after the name's last dot. A word that is no number reads 0.
      {"rux2:HFX:B.2.12x::::0::::0:L:x 9", "rux2 HFX B.2.12x hfx=12 label=L langs[0,9]",
       "rux2:HFX:B.2.12x::::0::::0:L:0 9 :"},
      {"code:HFX:Base.::::0::::0:L:", "code HFX Base. label=L", ""},
      // Sizes are written as signed numbers and read back modulo 2^32.
      {"code:PRD:A::::3000000000::::0:L:4000000000",
       "code PRD A size=3000000000 label=L langs[4000000000]",
       "code:PRD:A::::-1294967296::::0:L:-294967296 :"},
      {"code:PRD:A::::-1294967296::::0:L:-294967296 :",
       "code PRD A size=3000000000 label=L langs[4000000000]", ""},
      // Runs of colons: every empty field stays a field.
      {"code:FWK:A: : : : : : : : :L:", "code FWK A label=L", "code:FWK:A::::0::::0:L:"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Parse(c.line), 1) << c.line;
    EXPECT_EQ(Describe(record), c.fields) << c.line;
    EXPECT_EQ(Written(), c.written.empty() ? c.line : c.written) << c.line;
  }
  EXPECT_EQ(record.GetLangSize(5), 0u);
  EXPECT_EQ(record.GetLangSize(-1), 0u);
}

TEST_F(UnitToc, RefusedLinesGiveTheirMessageAndMinusOne) {
  const struct {
    std::string line, message;
  } cases[] = {
      {"unknownQ:FWK:A::::0::::0:L:", "ZOLINSUnitToc: unknown type: unknownQ\n"},
      {"unknownM:FWK:A::::0::::0:L:", "ZOLINSUnitToc: unknown type: unknownM\n"},
      {"Code:FWK:A::::0::::0:L:", "ZOLINSUnitToc: unknown type: Code\n"},
      {"code:FIX:A::::0::::0:L:", "ZOLINSUnitToc: unknown package: FIX\n"},
      {"code:FSP:Base.1::::0::::1:Fix set:", "ZOLINSUnitToc: missing prereq for Base.1\n"},
      {std::string(5000, ':'), "ZOLINSUnitToc: unknown type: \n"},
      {"", "ZOLINSUnitToc: unknown type: \n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(c.line), -1) << c.line;
    EXPECT_EQ(message.str(), c.message);
  }
  EXPECT_EQ(record.GetLabel(), nullptr);  // fields after the prereq field were not read
}

TEST_F(UnitToc, LongFieldsAreCutAndHugeOnesStayInsideTheirBuffers) {
  const std::string huge(10000, 'h');
  std::string words;
  for (int i = 0; i < 5000; ++i) words += "w" + std::to_string(i) + " ";
  ASSERT_EQ(Parse("code:FWK:" + huge + ":" + words + ":" + huge + ":" + huge + "/" + huge +
                  ":1:" + huge + ":" + huge + ":" + huge + ":1:" + huge + ":" + words),
            1);
  EXPECT_EQ(std::string(record.GetName()), huge.substr(0, 47));
  ASSERT_EQ(record.GetNbSupersede(), 5000);
  EXPECT_STREQ(record.GetSupersede(4999), "w4999");
  EXPECT_EQ(std::strlen(record.GetPrereq(0)), 47u);
  EXPECT_EQ(std::strlen(record.GetIfreq(0)->GetUB()), 47u);
  EXPECT_EQ(std::strlen(record.GetTimestamp()), 14u);
  EXPECT_EQ(std::strlen(record.GetOS()), 7u);
  EXPECT_EQ(std::strlen(record.GetGALevel()), 7u);
  EXPECT_EQ(std::string(record.GetLabel()), huge);
  EXPECT_EQ(record.GetNbLangSize(), 5000);
  EXPECT_NE(Written().find(":" + huge + ":"), std::string::npos);
}

// A list written as lists are (one blank between whole names) is copied at once; any other is
// copied name by name. Both must give the same names, in a record of its own and in a table's.
TEST_F(UnitToc, NameListsReadTheSameHoweverTheyAreSpaced) {
  const std::string n47(47, 'n'), n48 = "m" + n47;
  const struct {
    std::string field, names;
  } cases[] = {
      {"A BB C", "A|BB|C|"},
      {"A  BB", "A|BB|"},
      {"A " + n47, "A|" + n47 + "|"},
      {"A " + n48, "A|" + n48.substr(0, 47) + "|"},
      {n48 + " A", n48.substr(0, 47) + "|A|"},
      // One blank too many and one byte cut: as long as a plain list of the same names.
      {"A  " + n48, "A|" + n48.substr(0, 47) + "|"},
      {" A   B ", "A|B|"},
  };
  zoltest::TempDir dir;
  std::string text;
  for (const auto& c : cases) text += "code:PRD:X:" + c.field + ":" + c.field + "::0::::0:L:\n";
  std::string path = dir.Write("TOC", text);
  ZOLINSToc table;
  ASSERT_EQ(zoltest::LoadPlainToc(table, path, message), 1) << message.str();
  const auto names = [](const ZOLINSUnitToc& r) {
    std::string out;
    for (int i = 0; i < r.GetNbPrereq(); ++i) out += std::string(r.GetPrereq(i)) + "|";
    return out;
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    ASSERT_EQ(Parse("code:PRD:X:" + cases[i].field + ":" + cases[i].field + "::0::::0:L:"), 1);
    EXPECT_EQ(names(record), cases[i].names) << cases[i].field;
    EXPECT_EQ(record.GetNbSupersede(), record.GetNbPrereq());
    EXPECT_EQ(names(*table.GetIiemeUnitToc(static_cast<int>(i))), cases[i].names);
  }
}

TEST_F(UnitToc, BaseFrameworkAndTimestamp) {
  for (const auto& [name, base] :
       {std::pair{"Base.12", "Base"}, {"NoDot", "NoDot"}, {"a.b.c", "a.b"}}) {
    ASSERT_EQ(Parse(std::string("code:PRD:") + name + "::::0::::0:L:"), 1);
    const std::unique_ptr<char[]> framework(record.GetBaseFWK());
    EXPECT_STREQ(framework.get(), base);
  }
  record.SetTimestamp();
  const std::string stamp = record.GetTimestamp();
  EXPECT_EQ(stamp.size(), 14u);
  EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos);
}

TEST_F(UnitToc, MovesCarryEveryField) {
  ASSERT_EQ(Parse("samples:HFX:Alpha.7:Beta:Gamma:Delta/Epsilon:1024:stamp:os1:ga1:2:Fix:10 20"),
            1);
  record.SetMaxSPKLevel(5);
  const std::string fields = Describe(record);
  ZOLINSUnitToc moved(std::move(record));
  EXPECT_EQ(Describe(moved), fields);
  EXPECT_EQ(moved.GetMaxSPKLevel(), 5);

  ZOLINSUnitToc assigned;
  ASSERT_EQ(zol::ParseRecordLine(assigned, "code:PRD:Old:X:Y:Y/Z:1:t:o:g:1:Old:1", message), 1);
  assigned = std::move(moved);
  EXPECT_EQ(Describe(assigned), fields);
  EXPECT_EQ(assigned.GetMaxSPKLevel(), 5);
  EXPECT_EQ(moved.GetNbPrereq() + moved.GetNbIfreq() + moved.GetNbLangSize(), 0);
  EXPECT_EQ(moved.GetLabel(), nullptr);
}

TEST_F(UnitToc, ReparsingMovingAndCuttingKeepOneOwnerPerList) {
  ASSERT_EQ(Parse("code:PRD:A:X Y:Z::1::::0:L:1 2"), 1);
  ASSERT_EQ(Parse("code:PRD:B:X:Z::1::::0:L2:1"), 1);  // the first lists are freed
  ZOLINSUnitToc moved(std::move(record));
  EXPECT_STREQ(moved.GetName(), "B");
  EXPECT_EQ(record.GetNbSupersede(), 0);
  EXPECT_EQ(record.GetLabel(), nullptr);
  record = std::move(moved);
  EXPECT_STREQ(record.GetLabel(), "L2");

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
