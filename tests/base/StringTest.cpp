#include <initializer_list>
#include <string>
#include <type_traits>

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

TEST(UnicodeString, ReplaceAllTakesEveryOccurrenceReplaceSubStringTheFirst) {
  ZOLUnicodeString line("a:::b::c");
  EXPECT_EQ(line.ReplaceAll("::", ": :"), 2);
  EXPECT_EQ(S(line), "a: ::b: :c");  // one pass leaves two colons together
  EXPECT_EQ(line.ReplaceAll("::", ": :"), 1);
  EXPECT_EQ(S(line), "a: : :b: :c");
  EXPECT_EQ(ZOLUnicodeString("abc").ReplaceAll("", "x"), 0);
  ZOLUnicodeString text("ab ab");  // ReplaceSubString: the first occurrence only
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

// ConvertToNum's result and the number it stored, as "result:number".
template <typename T>
std::string Num(const char* text) {
  T n = 42;
  const int ok = ZOLUnicodeString(text).ConvertToNum(&n, std::is_signed_v<T> ? "%d" : "%u");
  return std::to_string(ok) + ":" + std::to_string(n);
}

TEST(UnicodeString, ConvertToNumRejectsBadInputWithZero) {
  EXPECT_EQ(Num<int>(" -17 "), "1:-17");
  for (const char* bad : {"", " ", "12abc", "abc", "1 2", "2147483648", "-"})
    EXPECT_EQ(Num<int>(bad), "0:0") << bad;
  EXPECT_EQ(Num<unsigned>("4294967295"), "1:4294967295");
  EXPECT_EQ(Num<unsigned>("-1"), "1:4294967295");  // as strtoul: modulo 2^32
  EXPECT_EQ(Num<unsigned>("4294967296"), "0:0");
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

// The tokens `text` yields when GetNextToken is called with each separator set in turn (null: the
// next blank-separated word), joined with "|".
std::string Tokens(const char* text, std::initializer_list<const char*> separators) {
  ZOLToken token{ZOLUnicodeString(text)};
  std::string out;
  const char* bar = "";
  for (const char* set : separators) {
    out += bar + S(set ? token.GetNextToken(set) : token.GetNextToken());
    bar = "|";
  }
  return out;
}

TEST(Token, SeparatorsKeepEmptyFieldsWordsSkipBlanksAndBothShareOnePosition) {
  EXPECT_EQ(Tokens("a::b:", {":", ":", ":", ":", ":"}), "a||b||");  // used up: empty for ever
  EXPECT_EQ(Tokens("a/b.c", {"./", "./", "./"}), "a|b|c");          // any character of the set
  EXPECT_EQ(Tokens("   A   B  ", {nullptr, nullptr, nullptr, nullptr}), "A|B||");
  EXPECT_EQ(Tokens("x y:z", {nullptr, ":", nullptr}), "x| y|z");
}

}  // namespace
