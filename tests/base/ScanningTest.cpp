#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "base/ByteScan.h"
#include "base/Numbers.h"

namespace {

// Every position of every length up to three words, over bytes that differ from ':' by one bit
// (the high bit, the low bit) and bytes around it, NUL and 0xff: the eight-byte search must find
// exactly what a plain search finds, and read nothing past the view (the sanitizer build checks
// that: each text is a heap block of its own, exactly as long as the view).
TEST(ByteScan, FindByteAgreesWithAPlainSearch) {
  const char alphabet[] = {':',  static_cast<char>(':' | 0x80), ';', '9',
                           '\0', static_cast<char>(0xff),       'a', ' '};
  std::mt19937 random(7);
  for (std::size_t size = 0; size <= 40; ++size) {
    for (int round = 0; round < 100; ++round) {
      std::string text;
      for (std::size_t i = 0; i < size; ++i) text += alphabet[random() % sizeof alphabet];
      const std::unique_ptr<char[]> exact(new char[size]);
      text.copy(exact.get(), size);
      const std::string_view view(exact.get(), size);
      for (std::size_t from = 0; from <= size; ++from) {
        for (const char byte : {':', ' ', '\0'}) {
          const std::size_t plain = view.find(byte, from);
          EXPECT_EQ(zol::FindByte(view, from, byte), plain == view.npos ? size : plain)
              << "size " << size << " from " << from;
        }
      }
    }
  }
}

// Numbers of up to nine digits take a shorter way than the others: both must read the same.
TEST(Numbers, PlainDigitsAndTheGeneralWayAgree) {
  const struct {
    const char* text;
    bool ok;
    unsigned value;
  } unsigneds[] = {
      {"0", true, 0},
      {"000000007", true, 7},
      {"999999999", true, 999999999},
      {"4294967295", true, 4294967295u},
      {"4294967296", false, 0},
      {" 12 ", true, 12},
      {"-1", true, 4294967295u},
      {"+5", true, 5},
      {"12a", false, 0},
      {"1/2", false, 0},  // '/' is the byte below '0'
      {":", false, 0},    // ':' the byte above '9'
      {"", false, 0},
  };
  for (const auto& c : unsigneds) {
    unsigned value = 12345;
    EXPECT_EQ(zol::ParseUnsigned(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : 12345u) << c.text;
  }
  int value = -7;
  EXPECT_TRUE(zol::ParseInt("999999999", value));
  EXPECT_EQ(value, 999999999);
  EXPECT_TRUE(zol::ParseInt("2147483647", value));
  EXPECT_EQ(value, 2147483647);
  EXPECT_FALSE(zol::ParseInt("2147483648", value));
  EXPECT_TRUE(zol::ParseInt("-2147483648", value));
  EXPECT_EQ(value, INT32_MIN);
  EXPECT_FALSE(zol::ParseInt("9x", value));
  EXPECT_EQ(value, INT32_MIN);
}

}  // namespace
