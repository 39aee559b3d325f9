#include <gtest/gtest.h>

#include "integrity/ListLine.h"

namespace {

using zol::ClassifyListLine;

TEST(ListLine, ChecksumFieldIsWhatAtolReadsAsNonZeroOrExactlyZero) {
  for (const char* number :
       {"0", "7", "12abc", " 5", "+3", "-4", "4294967295", "99999999999999999999"}) {
    EXPECT_TRUE(zol::IsChecksumText(number)) << number;
  }
  for (const char* other : {"00", "-0", "abc", "0x1f", " ", "", "x1"}) {
    EXPECT_FALSE(zol::IsChecksumText(other)) << other;
  }
}

TEST(ListLine, BlankStartsAFieldOnlyInTheLastComponentAndOnlyWithTextAfterIt) {
  EXPECT_TRUE(ClassifyListLine("./bin/x 12", "E").hasChecksum);
  EXPECT_TRUE(ClassifyListLine("./bin/x abc", "E").badChecksumField);
  EXPECT_FALSE(ClassifyListLine("./my dir/x", "E").hasChecksum);
  EXPECT_FALSE(ClassifyListLine("./my dir/x", "E").badChecksumField);
  EXPECT_FALSE(ClassifyListLine("./bin/x ", "E").hasChecksum);
  EXPECT_FALSE(ClassifyListLine("./bin/x ", "E").badChecksumField);
  EXPECT_FALSE(ClassifyListLine("x 12", "E").hasChecksum);  // no "/": no last component
}

TEST(ListLine, IndexFilesByExactExtensionOfTheLastComponent) {
  EXPECT_TRUE(ClassifyListLine("./d/a.QEidx", "E").isIndex);
  EXPECT_TRUE(ClassifyListLine("./d/a.b.SOLidx", "E").isIndex);
  EXPECT_FALSE(ClassifyListLine("./d/a.QEidxx", "E").isIndex);
  EXPECT_FALSE(ClassifyListLine("./d/a.qeidx", "E").isIndex);
  EXPECT_FALSE(ClassifyListLine("./d/QEidx", "E").isIndex);
  EXPECT_FALSE(ClassifyListLine("./d.QEidx/a", "E").isIndex);
  EXPECT_FALSE(ClassifyListLine("./d/a.QEidx 5", "E").isIndex);  // already has its checksum
}

TEST(ListLine, SelfLineIsTheListNameInADirectoryNamedControl) {
  EXPECT_TRUE(ClassifyListLine("./control/E", "E").isSelf);
  EXPECT_TRUE(ClassifyListLine("/control/E", "E").isSelf);
  EXPECT_TRUE(ClassifyListLine("./a/control/E 42", "E").isSelf);
  EXPECT_FALSE(ClassifyListLine("control/E", "E").isSelf);  // fewer than two "/"
  EXPECT_FALSE(ClassifyListLine("./xcontrol/E", "E").isSelf);
  EXPECT_FALSE(ClassifyListLine("./control/E ", "E").isSelf);
  EXPECT_FALSE(ClassifyListLine("./control/F", "E").isSelf);
  EXPECT_EQ(zol::ClimbCount("./control/E"), 1);
  EXPECT_EQ(zol::ClimbCount("./a/control/E 42"), 2);
}

}  // namespace
