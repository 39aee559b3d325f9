#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "integrity/ListLine.h"

namespace {

TEST(ListLine, ChecksumFieldIsWhatAtolReadsAsNonZeroOrExactlyZero) {
  for (const char* number :
       {"0", "7", "12abc", " 5", "+3", "-4", "4294967295", "99999999999999999999"}) {
    EXPECT_TRUE(zol::IsChecksumText(number)) << number;
  }
  for (const char* other : {"00", "-0", "abc", "0x1f", " ", "", "x1"}) {
    EXPECT_FALSE(zol::IsChecksumText(other)) << other;
  }
}

// What ClassifyListLine finds in a line of the list "E": a Bad checksum field, a checksum (Sum),
// an Index file, the list's own line (Control).
std::string Flags(const char* line) {
  const zol::ListLine kind = zol::ClassifyListLine(line, "E");
  return std::string(kind.badChecksumField ? "B" : "") + (kind.hasChecksum ? "S" : "") +
         (kind.isIndex ? "I" : "") + (kind.isSelf ? "C" : "");
}

// A blank starts a field only in the last component ("x 12" has none: no "/") and only with text
// after it. Index files go by the exact extension of the last component, unless they have a
// checksum. The own line is the list's name in a directory named control, after two "/" or more.
TEST(ListLine, FieldsIndexFilesAndTheOwnLineAreFoundInTheLastComponentOnly) {
  const std::pair<const char*, const char*> rows[] = {
      {"./bin/x 12", "S"},     {"./bin/x abc", "B"}, {"./my dir/x", ""},
      {"./bin/x ", ""},        {"x 12", ""},         {"./d/a.QEidx", "I"},
      {"./d/a.b.SOLidx", "I"}, {"./d/a.QEidxx", ""}, {"./d/a.qeidx", ""},
      {"./d/QEidx", ""},       {"./d.QEidx/a", ""},  {"./d/a.QEidx 5", "S"},
      {"./control/E", "C"},    {"/control/E", "C"},  {"./a/control/E 42", "SC"},
      {"control/E", ""},       {"./xcontrol/E", ""}, {"./control/E ", ""},
      {"./control/F", ""}};
  for (auto [line, flags] : rows) EXPECT_EQ(Flags(line), flags) << line;
  EXPECT_EQ(zol::ClimbCount("./control/E"), 1);
  EXPECT_EQ(zol::ClimbCount("./a/control/E 42"), 2);
}

}  // namespace
