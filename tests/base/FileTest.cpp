#include <sys/stat.h>

#include <gtest/gtest.h>

#include "ZOLFile.h"
#include "base/LineReader.h"
#include "support/TestSupport.h"

namespace {

using zoltest::TempDir;

TEST(Files, ReadWriteAccessAndEofZeroOnceNothingRemains) {
  TempDir dir;
  const std::string path = dir.Write("f", "ab\ncd");
  unsigned int fd = 0;
  ASSERT_EQ(ZOLFOpen(path.c_str(), "r", &fd), 0);
  EXPECT_NE(fd, 0u);
  char line[16];
  EXPECT_EQ(ZOLFEof(fd), 1);
  EXPECT_EQ(ZOLFGets(line, sizeof line, fd), 0);
  EXPECT_STREQ(line, "ab\n");
  EXPECT_EQ(ZOLFGetc(fd), 'c');
  EXPECT_EQ(ZOLFGets(line, sizeof line, fd), 0);
  EXPECT_STREQ(line, "d");
  EXPECT_EQ(ZOLFEof(fd), 0);
  EXPECT_NE(ZOLFGets(line, sizeof line, fd), 0);
  EXPECT_EQ(ZOLFGetc(fd), -1);
  EXPECT_EQ(ZOLFClose(fd), 0);
  EXPECT_EQ(ZOLFClose(fd), -1);
  EXPECT_EQ(ZOLFEof(fd), 0);

  fd = 99;
  EXPECT_EQ(ZOLFOpen((dir / "missing/x").c_str(), "r", &fd), -1);
  EXPECT_EQ(fd, 0u);
  ASSERT_EQ(ZOLFOpen((dir / "w").c_str(), "w", &fd), 0);
  EXPECT_EQ(ZOLFPuts("one ", fd), 0);
  EXPECT_EQ(ZOLFWrite("two\0x", 4, fd), 0);
  EXPECT_EQ(ZOLFClose(fd), 0);
  EXPECT_EQ(zoltest::ReadFile(dir / "w"), std::string("one two\0", 8));
  EXPECT_EQ(ZOLFGets(nullptr, 4, 12345), -1);
}

TEST(LineReader, LinesOfAnyLengthAndTheLastLineWithoutLineFeed) {
  TempDir dir;
  const std::string longLine(200000, 'x');
  const std::string path = dir.Write("f", "a\n\n" + longLine + "\nend");
  zol::LineReader reader(path);
  ASSERT_TRUE(reader.IsOpen());
  std::string_view line;
  bool newline = false;
  using Line = std::pair<std::string, bool>;  // the text and whether a line feed ended it
  std::vector<Line> lines;
  while (reader.Next(line, newline)) lines.emplace_back(std::string(line), newline);
  EXPECT_EQ(lines, (std::vector<Line>{{"a", true}, {"", true}, {longLine, true}, {"end", false}}));
  EXPECT_FALSE(reader.Failed());
  EXPECT_FALSE(zol::LineReader(dir / "missing").IsOpen());
}

}  // namespace
