#include <gtest/gtest.h>

#include "ZOLINSToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::E;

class TocTable : public zoltest::TocTest {
 protected:
  int Load(const std::string& text, const std::string& name = "TOC") {
    path = dir.Write(name, text);
    return zoltest::LoadPlainToc(toc, path, message);
  }
  int Load(std::initializer_list<E> elements) { return Load(zoltest::TocText(elements)); }

  ZOLINSToc toc;
};

TEST_F(TocTable, OneRecordPerLineFeedElseNone) {
  ASSERT_EQ(Load(E("A").Line() + "\n" + E("B").Line() + "\n" + E("C").Line()), 1);
  EXPECT_EQ(toc.GetNbToc(), 2);
  EXPECT_STREQ(toc.GetFileName(), path.c_str());
  EXPECT_EQ(toc.GetIiemeUnitToc(2), nullptr);
  EXPECT_EQ(toc.GetLine(2), nullptr);
  EXPECT_STREQ(toc.GetIiemeUnitToc(1)->GetName(), "B");
  std::string missing = dir / "none";
  EXPECT_EQ(toc.Init(&missing[0], message), -1);
  EXPECT_EQ(toc.GetNbToc(), -1);
  EXPECT_EQ(message.str(), "ZOLINSToc::file " + missing + "  not found\n");
  for (const char* text : {"", "no line feed at all"}) {  // fail leaving the message as it was
    ASSERT_EQ(Load({E("A")}), 1);
    message = "untouched";
    EXPECT_EQ(Load(text), -1);
    EXPECT_EQ(toc.GetNbToc(), -1);
    EXPECT_STREQ(message.ConvertToChar(), "untouched");
  }
}

TEST_F(TocTable, VisibilityFollowsPCFGListWhereverItLies) {
  ASSERT_EQ(Load({E("A"), E("B")}), 1);
  EXPECT_EQ(toc.IsVisible("anything"), 1);
  dir.Write("PCFG.list", "");
  ASSERT_EQ(Load({E("A"), E("B")}), 1);
  EXPECT_EQ(toc.IsVisible("A"), 0);
  dir.Write("PCFG.list", "A\n B\n");
  ASSERT_EQ(Load({E("A"), E("B")}), 1);
  EXPECT_EQ(toc.IsVisible("A"), 1);
  EXPECT_EQ(toc.IsVisible("B"), 0);  // blanks are part of a visible name
  EXPECT_EQ(toc.IsVisible(" B"), 1);
  // Names are 47 characters at most, listed ones as well as asked ones: a longer name in the list
  // and a longer name asked about are the same name once both are cut.
  const std::string longName = std::string(47, 'L'), longer = longName + "-and-more";
  dir.Write("PCFG.list", longer + "\n");
  ASSERT_EQ(Load({E(longer)}), 1);
  EXPECT_EQ(toc.IsVisible(longName.c_str()), 1);
  EXPECT_EQ(toc.IsVisible(longer.c_str()), 1);
  EXPECT_EQ(toc.IsVisible(toc.GetIiemeUnitToc(0)->GetName()), 1);
  EXPECT_EQ(toc.IsVisible(longName.substr(0, 46).c_str()), 0);
  std::string deep = "d";  // beyond the old path limit
  while (deep.size() < 1100) deep += "/directory";
  dir.Write(deep + "/PCFG.list", "A\n");
  ASSERT_EQ(Load(zoltest::TocText({E("A"), E("B")}), deep + "/TOC"), 1);
  EXPECT_EQ(toc.IsVisible("A"), 1);
  EXPECT_EQ(toc.IsVisible("B"), 0);
}

// The operating system is checked on code only, the GA level on every type.
TEST_F(TocTable, LevelMismatchesNameTheLine) {
  ASSERT_EQ(Load({E("A").Os("A"), E("B").Os("A"), E("C").Os("B").Type("documentation")}), 1);
  EXPECT_STREQ(toc.GetOS(), "A");
  EXPECT_EQ(Load({E("A").Ga("R1"), E("B").Ga("R2").Type("samples")}), -1);
  EXPECT_EQ(message.str(), "ZOLINSToc::SetGALevel:GA level mismatch on line number 2 from file " +
                               path + ":\nR1 GA level expected, and R2 GA level found\n");
  EXPECT_EQ(Load({E("A").Os("A"), E("B").Os("A"), E("C").Os("B")}), -1);
  EXPECT_EQ(message.str(),
            "ZOLINSToc::SetOS: Operating system mismatch on line number 3 from file " + path +
                ":\nA operating system expected, and B operating system found\n");
  // The forms without a message parameter append theirs to the information message, if any.
  EXPECT_EQ(toc.SetGALevel(), 1);
  EXPECT_EQ(toc.SetOS(), 0);  // no information message yet: nothing to append to
  ZOLINSToc::sResetInfoMsg();
  EXPECT_EQ(toc.SetOS(), 0);
  EXPECT_EQ(ZOLINSToc::sGetInfoMsg()->str(), message.str());
}

TEST_F(TocTable, LevelsFollowFileOrderAndTheTimestampTheFirstRecord) {
  ASSERT_EQ(Load({E("S.1").Pkg("SPK").Spk(1), E("S.3").Pkg("SPK").Spk(3), E("X").Spk(9),
                  E("S.2").Pkg("SPK").Spk(2)}),
            1);
  EXPECT_EQ(toc.GetSPKLevel(1), 3);
  EXPECT_EQ(toc.GetSPKLevel(0), 1);
  ASSERT_EQ(
      Load({E("S.3").Pkg("SPK").Spk(3), E("S.2").Pkg("SPK").Spk(2), E("S.1").Pkg("SPK").Spk(1)}),
      1);
  EXPECT_EQ(toc.GetSPKLevel(1), 3);
  EXPECT_EQ(toc.GetSPKLevel(2), 0);
  EXPECT_STREQ(toc.GetHFXName(), "");
  EXPECT_EQ(toc.GetHFXLevel(), 0);
  // The level is the last hot fix's, not the highest; the name the first one's.
  ASSERT_EQ(Load({E("H.3").Pkg("HFX"), E("H.7").Pkg("HFX"), E("H.2").Pkg("HFX")}), 1);
  EXPECT_STREQ(toc.GetHFXName(), "H.3");
  EXPECT_EQ(toc.GetHFXLevel(), 2);
  toc.SetTimestamp();
  EXPECT_STRNE(toc.GetIiemeUnitToc(0)->GetTimestamp(), "20260101000000");
  EXPECT_STREQ(toc.GetIiemeUnitToc(1)->GetTimestamp(), "20260101000000");
}

TEST(InfoMessage, CopiesStayValidAsLongAsPromised) {
  ZOLINSToc::sResetInfoMsg();
  char* text = reinterpret_cast<char*>(1);
  ZOLINSToc::sGetInfoMsg(text);
  EXPECT_EQ(text, nullptr);  // empty message, no copy yet
  ZOLINSToc::sGetInfoMsg()->Append("first");
  ZOLINSToc::sGetInfoMsg(text);
  ASSERT_NE(text, nullptr);
  char* first = text;
  ZOLINSToc::sGetInfoMsg()->Append(" second");
  ZOLINSToc::sGetInfoMsg(text);
  EXPECT_STREQ(first, "first");  // replaced, not released
  EXPECT_STREQ(text, "first second");
  ZOLINSToc::sGetInfoMsg()->Resize(0, ' ', 1);
  char* again = nullptr;
  ZOLINSToc::sGetInfoMsg(again);
  EXPECT_EQ(again, text);  // empty message: the copy held stands
  { ZOLINSToc table; }     // the copy is released by any table's destruction
  EXPECT_EQ(ZOLINSToc::strMsg, nullptr);
  ZOLINSToc::sClearInfoMsg();
  EXPECT_EQ(ZOLINSToc::sGetInfoMsg(), nullptr);
}

}  // namespace
