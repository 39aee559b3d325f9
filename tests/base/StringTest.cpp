#include <gtest/gtest.h>

#include "ZOLToken.h"
#include "ZOLUnicodeString.h"

namespace {

std::string S(const ZOLUnicodeString& s) {
  return s.ConvertToChar();
}

TEST(UnicodeString, StripModesTrimOneEndOrBoth) {
  const ZOLUnicodeString text("  a b  ");
  EXPECT_EQ(S(text.Strip(1, ' ')), "a b  ");
  EXPECT_EQ(S(text.Strip(2, ' ')), "  a b");
  EXPECT_EQ(S(text.Strip(3, ' ')), "a b");
  EXPECT_EQ(S(text.Strip(0, ' ')), "  a b  ");
  EXPECT_EQ(S(ZOLUnicodeString("line\n").Strip(2, '\n')), "line");
  EXPECT_EQ(S(ZOLUnicodeString("   ").Strip(3, ' ')), "");
}

TEST(UnicodeString, ReplaceAllTwiceOpensEveryRunOfColons) {
  ZOLUnicodeString line("a:::b::c");
  EXPECT_EQ(line.ReplaceAll("::", ": :"), 2);
  EXPECT_EQ(S(line), "a: ::b: :c");  // one pass leaves two colons together
  EXPECT_EQ(line.ReplaceAll("::", ": :"), 1);
  EXPECT_EQ(S(line), "a: : :b: :c");
  EXPECT_EQ(ZOLUnicodeString("abc").ReplaceAll("", "x"), 0);
}

TEST(UnicodeString, ReplaceSubStringReplacesTheFirstOccurrenceOnly) {
  ZOLUnicodeString text("ab ab");
  EXPECT_EQ(text.ReplaceSubString("ab", "xyz"), 1);
  EXPECT_EQ(S(text), "xyz ab");
  EXPECT_EQ(text.ReplaceSubString("none", "q"), 0);
}

TEST(UnicodeString, SearchSubStringForwardAndBackward) {
  const ZOLUnicodeString text("a/b/c");
  EXPECT_EQ(text.SearchSubString("/", 0, 1), 1);
  EXPECT_EQ(text.SearchSubString("/", 2, 1), 3);
  EXPECT_EQ(text.SearchSubString("/", -1, 2), 3);
  EXPECT_EQ(text.SearchSubString("/", 2, 2), 1);
  EXPECT_LT(text.SearchSubString("x", 0, 1), 0);
  EXPECT_LT(text.SearchSubString("/", 0, 2), 0);
  EXPECT_LT(text.SearchSubString("/", 99, 1), 0);
}

TEST(UnicodeString, ConvertToNumRejectsBadInputWithZero) {
  int n = 42;
  EXPECT_EQ(ZOLUnicodeString(" -17 ").ConvertToNum(&n, "%d"), 1);
  EXPECT_EQ(n, -17);
  for (const char* bad : {"", " ", "12abc", "abc", "1 2", "2147483648", "-"}) {
    n = 42;
    EXPECT_EQ(ZOLUnicodeString(bad).ConvertToNum(&n, "%d"), 0) << bad;
    EXPECT_EQ(n, 0) << bad;
  }
  unsigned int u = 7;
  EXPECT_EQ(ZOLUnicodeString("4294967295").ConvertToNum(&u, "%u"), 1);
  EXPECT_EQ(u, 4294967295u);
  EXPECT_EQ(ZOLUnicodeString("-1").ConvertToNum(&u, "%u"), 1);  // as strtoul: modulo 2^32
  EXPECT_EQ(u, 4294967295u);
  EXPECT_EQ(ZOLUnicodeString("4294967296").ConvertToNum(&u, "%u"), 0);
  EXPECT_EQ(u, 0u);
}

TEST(UnicodeString, BuildFromNumSubStringResize) {
  ZOLUnicodeString text;
  EXPECT_EQ(S(text.BuildFromNum(-5, "%d")), "-5");
  EXPECT_EQ(S(text.BuildFromNum(4000000000u, "%u")), "4000000000");
  const ZOLUnicodeString abc("abcdef");
  EXPECT_EQ(S(abc.SubString(2, 2)), "cd");
  EXPECT_EQ(S(abc.SubString(4, -1)), "ef");
  EXPECT_EQ(S(abc.SubString(10, 3)), "");
  ZOLUnicodeString resized("abc");
  resized.Resize(5, '.', 1);
  EXPECT_EQ(S(resized), "abc..");
  resized.Resize(0, ' ', 1);
  EXPECT_EQ(resized.GetLengthInChar(), 0);
  EXPECT_EQ(S(ZOLUnicodeString(ZOLUnicodeChar('x'), 3)), "xxx");
  EXPECT_EQ(S(ZOLUnicodeString(static_cast<const char*>(nullptr))), "");
}

TEST(Token, SeparatorTokensKeepEmptyFields) {
  ZOLToken token(ZOLUnicodeString("a::b:"));
  const ZOLUnicodeString colon(":");
  EXPECT_EQ(S(token.GetNextToken(colon)), "a");
  EXPECT_EQ(S(token.GetNextToken(colon)), "");
  EXPECT_EQ(S(token.GetNextToken(colon)), "b");
  EXPECT_EQ(S(token.GetNextToken(colon)), "");
  EXPECT_EQ(S(token.GetNextToken(colon)), "");  // used up: empty for ever
}

TEST(Token, AnyCharacterOfTheSetSeparates) {
  ZOLToken token(ZOLUnicodeString("a/b.c"));
  EXPECT_EQ(S(token.GetNextToken("./")), "a");
  EXPECT_EQ(S(token.GetNextToken("./")), "b");
  EXPECT_EQ(S(token.GetNextToken("./")), "c");
}

TEST(Token, WordsSkipRunsOfBlanks) {
  ZOLToken token(ZOLUnicodeString("   A   B  "));
  EXPECT_EQ(S(token.GetNextToken()), "A");
  EXPECT_EQ(S(token.GetNextToken()), "B");
  EXPECT_EQ(S(token.GetNextToken()), "");
  EXPECT_EQ(S(token.GetNextToken()), "");
}

TEST(Token, WordsAndSeparatorsShareOnePosition) {
  ZOLToken token(ZOLUnicodeString("x y:z"));
  EXPECT_EQ(S(token.GetNextToken()), "x");
  EXPECT_EQ(S(token.GetNextToken(":")), " y");
  EXPECT_EQ(S(token.GetNextToken()), "z");
}

}  // namespace
