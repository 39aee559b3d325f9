#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "ZOLCheckSum.h"
#include "integrity/ByteSum.h"
#include "integrity/FileSum.h"
#include "support/TestSupport.h"

namespace {

using zoltest::TempDir;

std::uint32_t Reference(const std::string& bytes) {
  std::uint32_t sum = 0;
  for (unsigned char c : bytes) sum += c;
  return sum;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

unsigned long CheckSum(std::string path) {
  return ZOLCalcCheckSum(path.data());
}

TEST(ByteSum, AgreesWithABytewiseSumAtEveryLengthAndAlignment) {
  const std::string bytes = RandomBytes(3 * 64 * 256 + 200, 7);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t offset = 0; offset < 3; ++offset) {
    for (std::size_t size :
         {0, 1, 63, 64, 65, 1000, 64 * 256 - 1, 64 * 256, 64 * 256 + 1, 3 * 64 * 256 + 197}) {
      EXPECT_EQ(zol::ByteSum(data + offset, size), Reference(bytes.substr(offset, size)))
          << "offset " << offset << " size " << size;
    }
  }
}

TEST(ByteSum, BytesAreUnsignedAndTheSumWrapsModulo2To32) {
  // 0xFF fills every 16-bit lane to its limit, and 17 MiB of it passes 2^32.
  const std::string ones(17 << 20, '\xff');
  const std::uint64_t exact = std::uint64_t{255} * ones.size();
  EXPECT_EQ(zol::ByteSum(reinterpret_cast<const unsigned char*>(ones.data()), ones.size()),
            static_cast<std::uint32_t>(exact));
}

TEST(CalcCheckSum, FilesOfAnySizeAndUnreadablePaths) {
  TempDir dir;
  EXPECT_EQ(CheckSum(dir.Write("empty", "")), 0ul);
  EXPECT_EQ(CheckSum(dir.Write("ff", "\xff")), 255ul);
  EXPECT_EQ(CheckSum(dir.Write("8080", "\x80\x80")), 256ul);
  const std::string big = RandomBytes(3 * zol::kFileSumChunk + 17, 11);  // read in four chunks
  EXPECT_EQ(CheckSum(dir.Write("big", big)), Reference(big));
  EXPECT_EQ(CheckSum(dir / "missing"), 1ul);
  EXPECT_EQ(CheckSum(dir.path()), 1ul);  // a directory opens but cannot be read
  EXPECT_EQ(ZOLCalcCheckSum(nullptr), 1ul);
  if (::geteuid() != 0) {  // root reads whatever the mode says
    ASSERT_EQ(::chmod(dir.Write("locked", "x").c_str(), 0), 0);
    EXPECT_EQ(CheckSum(dir / "locked"), 1ul);
  }
}

}  // namespace
