// Plain functions and members of the integrity check that callers may use on their own, where the
// report of a whole check (tests/data/integrity) cannot show what they do.
#include <cstring>
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSIntegrity.h"
#include "support/TestSupport.h"

namespace {

using zoltest::ScopedEnv;

TEST(IntegrityText, CleanPathAndRemoveLastCharacters) {
  auto cleaned = [](std::string path) { return CleanPath(&path[0]), std::string(path.c_str()); };
  const std::string d(600, 'd'), e(600, 'e');
  EXPECT_EQ(cleaned(" /inst//x/ "), "/inst/x");
  EXPECT_EQ(cleaned("/a///b////"), "/a/b");
  EXPECT_EQ(cleaned("/") + cleaned("   "), "");
  EXPECT_EQ(cleaned(" a b "), "a b");
  EXPECT_EQ(cleaned("/" + d + "//" + e + "/"), "/" + d + "/" + e);
  CleanPath(nullptr);
  auto trimmed = [](std::string t, char c) {
    return RemoveLastCharacters(&t[0], c), std::string(t.c_str());
  };
  EXPECT_EQ(trimmed("a::b:::", ':'), "a::b");
  EXPECT_EQ(trimmed("///", '/'), "");
}

TEST(IntegrityText, CheckedListAddsEachNameOnce) {
  ZOLUnicodeString checked(":");
  char x[] = "X", xy[] = "XY";
  for (auto [name, result] : {std::pair<char*, int>{xy, 0}, {x, 0}, {xy, 1}, {nullptr, 0}})
    EXPECT_EQ(TestChecked(name, checked), result);
  EXPECT_EQ(checked.str(), ":XY:X:");  // ":XY:" does not hold ":X:"
}

TEST(IntegrityText, SelfLineFixesTheBaseOfTheListedFiles) {
  std::tuple<std::string, int, const char*> rows[] = {
      {"./bin/a 12\n\n./control/E\n", 0, "/inst/x"},
      {"./bin/a 12\n./x/control/E 0\n", 1, "/inst"},
      {"./control/F\n./xcontrol/G\n./bin/E", 0, "/inst/x"},
      {"./a/b/c/E\n./y/xcontrol/E\n", 1, "/inst"},  // the line in a "...control" directory
      {"./a/b/control/E\n", 2, ""},                 // the root less two components: "/"
      {"./a/b/c/control/E\n", 3, "/inst/x/"}};      // not that many: the root stays
  char element[] = "E", root[] = "/inst/x", base[256];
  for (auto& [control, slashes, expected] : rows) {
    const std::string before = control;
    EXPECT_EQ(GetNbPPSlash(&control[0], element), slashes) << before;
    EXPECT_EQ(control, before);
    InitializeFilesListLine(base, root, &control[0], element);
    EXPECT_STREQ(base, expected) << before;
  }
  // A root longer than the caller's 256 bytes is cut, never written past them.
  std::string longRoot = "/" + std::string(400, 'r');
  char guarded[300];
  std::memset(guarded, '#', sizeof guarded);
  InitializeFilesListLine(guarded, &longRoot[0], &std::get<0>(rows[0])[0], element);
  EXPECT_EQ(guarded, longRoot.substr(0, 255));
  EXPECT_EQ(guarded[256], '#');
}

TEST(IntegrityInputs, SkipListComesFromTheFirstDirectoryHoldingIt) {
  zoltest::TempDir dir;
  dir.Write("b/CI3SkippedFiles", "f.txt\nd*g.txt\n\nlast");
  dir.Write("c/CI3SkippedFiles", "other\n");
  dir.Write("e/CI3SkippedFiles", "");
  const std::tuple<std::optional<std::string>, int, const char*> rows[] = {
      {std::nullopt, 0, ":"},
      {dir / "a:" + dir / "b:" + dir / "c:", 1, ":f.txt:d*g.txt::last:"},
      {dir / "a:" + dir / "none", 0, ":"},  // the last directory is taken without a look
      {dir / "e", 0, ":"}};
  for (const auto& [paths, read, list] : rows) {
    ScopedEnv env("ZOLReffilesPath", paths ? paths->c_str() : nullptr);
    ZOLUnicodeString skipList("old");
    EXPECT_EQ(GetCI3SkippedFilesStr(skipList), read) << paths.value_or("unset");
    EXPECT_EQ(skipList.str(), list);
  }
}

TEST(IntegrityFindings, CompactFormOnlyForDocumentation) {
  ScopedEnv noCatalogue("ZOL_MSGCAT_PATH", nullptr);
  ZOLINSInstToc toc;
  ZOLUnicodeString report("x");
  char cls[] = "Prereq", a[] = "A", b[] = "B", key[] = "CheckIntegrity.Prereq";
  char format[] = "%s is a prerequisite of %s, but is not installed";
  auto add = [&](ZOLINSType kind, char* second, int compact) {
    return toc.throwError(kind, cls, a, second, format, key, report, compact);
  };
  EXPECT_EQ(add(ZOLINS_DOCUMENTATION, b, 1), 1);
  EXPECT_EQ(add(ZOLINS_DOCUMENTATION, nullptr, 1), 1);
  EXPECT_EQ(add(ZOLINS_CODE, b, 1), 2);
  EXPECT_EQ(add(ZOLINS_DOCUMENTATION, b, 0), 2);
  EXPECT_EQ(report.str(),
            "xPrereq|A|B\nPrereq|A\nA is a prerequisite of B, but is not installed"
            "A is a prerequisite of B, but is not installed");
}

TEST(IntegrityMembers, CallersContracts) {
  ScopedEnv noCatalogue("ZOL_MSGCAT_PATH", nullptr);
  zoltest::TempDir dir;
  std::string path = dir.Write("bin/a", "abc"), controlDir = dir / "control/";
  dir.Write("control/X.2", "./control/X.2\n");
  ZOLINSInstToc toc;  // nothing installed
  ZOLUnicodeString report, none(":"), skip(":a:"), checked(":");
  int status = 1;
  // CheckCheckSum: 1 when nothing is compared; a skip list counts only when it was read.
  auto compare = [&](int hasSum, std::string sum, int level, int read, ZOLUnicodeString& list) {
    return toc.CheckCheckSum(hasSum, &sum[0], level, read, &path[0], list, ZOLINS_CODE, report, 0,
                             status);
  };
  EXPECT_EQ(compare(1, "294", 2, 0, none), 0);  // the checksum of "abc"
  EXPECT_EQ(compare(1, "295", 1, 0, none), 1);
  EXPECT_EQ(compare(1, "0", 2, 0, none), 1);
  EXPECT_EQ(compare(0, "295", 2, 0, none), 1);
  EXPECT_EQ(compare(1, "295", 2, 1, skip), 1);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(compare(1, "295", 2, 0, skip), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(report.str(), path + ": CheckSum mismatch. Bad or modified file");

  // GetPathnameStr reads a service-packed base name once per checked list.
  char name[] = "X";
  char* text = nullptr;
  auto read = [&] {
    return toc.GetPathnameStr(1, 2, checked, name, ZOLINS_CODE, report, 0, status,
                              ZOLUnicodeString(), &text, ZOLUnicodeString(controlDir + "X"),
                              static_cast<int>(controlDir.size()));
  };
  EXPECT_EQ(read(), 0);
  delete[] text;
  EXPECT_EQ(read(), 1);
  EXPECT_EQ(checked.str(), ":X:");

  // GetSPKMaxAndControlNameBase does nothing without an installed service pack, and cuts a name
  // longer than the base-name buffer instead of writing past it.
  char base[80];
  std::memset(base, '#', sizeof base);
  int spkMax = 0;
  std::string longName = std::string(100, 'L') + ".1";
  toc.GetSPKMaxAndControlNameBase(&longName[0], ZOLINS_CODE, 0, spkMax, base);
  EXPECT_EQ(spkMax, 0);
  EXPECT_EQ(base[0], '#');
  toc.GetSPKMaxAndControlNameBase(&longName[0], ZOLINS_CODE, 1, spkMax, base);
  EXPECT_EQ(std::string(base), std::string(63, 'L'));
  EXPECT_EQ(base[64], '#');
}

}  // namespace
