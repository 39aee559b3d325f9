#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/ByteScan.h"
#include "base/LargeMemory.h"
#include "base/Numbers.h"

namespace {

// Every position of every length up to 40 bytes (two vectors and a half, eight-byte words below
// sixteen), over bytes that differ from ":" by one bit
// (the high bit, the low bit) and bytes around it, NUL and 0xff: the vector search must find
// exactly what a plain search finds, and read nothing past the view (the sanitizer build checks
// that: each text is a heap block of its own, exactly as long as the view).
TEST(ByteScan, FindByteAndFindEitherAgreeWithAPlainSearch) {
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
        const std::size_t either = view.find_first_of(std::string_view(":\0", 2), from);
        EXPECT_EQ(zol::FindEither(view, from, ':', '\0'), either == view.npos ? size : either)
            << "size " << size << " from " << from;
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

// A table's arena, sized for a large table or left to grow from small blocks: every block it
// hands out is aligned as asked, and none overlaps another, across block changes and requests
// larger than a block.
TEST(Arena, BlocksStayAlignedAndApartWhateverTheFirstBlockSize) {
  for (const std::size_t expected : {std::size_t(0), std::size_t(5) << 20}) {
    zol::Arena arena;
    arena.Expect(expected);
    std::vector<std::pair<unsigned char*, std::size_t>> blocks;
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) {
      const std::size_t size = i % 1000 == 999 ? (std::size_t(3) << 20) : 1 + random() % 3000;
      const std::size_t align = std::size_t(1) << (random() % 4);
      auto* block = static_cast<unsigned char*>(arena.Allocate(size, align));
      ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block) % align, 0u);
      std::memset(block, i & 0xff, size);
      blocks.emplace_back(block, size);
    }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      const auto [block, size] = blocks[i];
      EXPECT_EQ(block[0], i & 0xff);
      EXPECT_EQ(block[size - 1], i & 0xff) << "block " << i << " was overwritten";
    }
  }
}

}  // namespace
