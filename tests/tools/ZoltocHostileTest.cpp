// zoltoc on hostile input: bytes that are not UTF-8, broken files, unwritable output.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "tools/Zoltoc.h"

namespace zoltest {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Runs zoltoc with standard output on `out` (closed when empty); returns the exit status.
int ZoltocWritingTo(const std::string& out, const std::vector<std::string>& arguments) {
  return RunInChild([&] {
    ::dup2(::open("/dev/null", O_WRONLY), 2);
    const int fd = out.empty() ? -1 : ::open(out.c_str(), O_WRONLY);
    if (fd == -1) ::close(1);
    if (fd != -1) ::dup2(fd, 1);
    std::vector<char*> argv{const_cast<char*>(ZOLTOC_PATH)};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(ZOLTOC_PATH, argv.data());
    return 127;
  });
}

// A medium and an installation whose names, labels, levels and paths are not UTF-8.
struct Latin1Fixture : ::testing::Test {
  void SetUp() override {
    root = dir / "inst\xE9";
    media = dir.Write("m\xE9/MEDIA.TOC",
                      "A:3:1000:code:FWK:BASE\xE9::::100:1:lin\xFF:R\xFE:0:Base \xE9t\xE9:10 :\n"
                      "A:4:2000:code:PRD:PROD\xFF::BASE\xE9 ::200:1:lin\xFF:R\xFE:0:L\xC3:10 :\n");
    dir.Write("inst\xE9/control/PRESENT",
              "code:FWK:BASE\xE9::::100:1:lin\xFF:R\xFE:0:B\xE9:10 :\n");
    dir.Write("inst\xE9/control/BASE\xE9", "./lib/f\xE9\n./control/BASE\xE9\n");
    dir.Write("inst\xE9/control/PCFG.list", "");
  }
  TempDir dir;
  std::string root, media;
};

TEST_F(Latin1Fixture, EverySubcommandPrintsJsonThatParses) {
  const json listing = Parsed(Zoltoc({"packages", "--media", media, "--json"}));
  EXPECT_EQ(listing["elements"][0]["name"], "BASE" + kReplacement);
  EXPECT_EQ(listing["elements"][0]["label"], "Base " + kReplacement + "t" + kReplacement);
  EXPECT_EQ(listing["source"], dir.path() + "/m" + kReplacement + "/MEDIA.TOC");
  Parsed(Zoltoc({"packages", "--install", root, "--json"}));
  const json element = Parsed(Zoltoc({"element", "PROD\xFF", "--media", media, "--json"}));
  EXPECT_EQ(element["prereqs"], json{"BASE" + kReplacement});
  EXPECT_EQ(element["os"], "lin" + kReplacement);
  Parsed(Zoltoc({"element", "BASE\xE9", "--install", root, "--json"}));
  EXPECT_EQ(Parsed(Zoltoc({"levels", "--media", media, "--json"}))["gaLevel"], "R" + kReplacement);
  EXPECT_EQ(Parsed(Zoltoc({"plan", "--media", media, "--install", root, "PROD\xFF",
                           "--json"}))["elements"][0]["label"],
            "L" + kReplacement);
  Parsed(Zoltoc({"plan", "--media", media, "--mode", "ga", "PROD\xFF", "BASE\xE9", "--json"}));
  Parsed(Zoltoc({"plan", "--media", media, "--mode", "hfx", "PROD\xFF", "--json"}));
  const json check = Parsed(Zoltoc({"check", "--install", root, "--json"}));
  EXPECT_EQ(check["findings"][0],
            "BASE" + kReplacement + ": alone framework (no PRD or SLT prereqs it)");
  EXPECT_NE(check["report"].get<std::string>().find("/lib/f" + kReplacement + ": file not found"),
            std::string::npos);
  const json record = Parsed(
      Zoltoc({"record", "--media", media, "--install", root, "PROD\xFF", "NO\xFF", "--json"}));
  EXPECT_EQ(record["recorded"], json{"PROD" + kReplacement});
  EXPECT_EQ(record["failed"][0]["name"], "NO" + kReplacement);
  const json checksum = Parsed(Zoltoc({"checksum", root + "/control/BASE\xE9", "--json"}));
  EXPECT_EQ(checksum["unread"][0]["path"], "./lib/f" + kReplacement);
}

TEST_F(Latin1Fixture, FailuresPrintOneErrorObject) {
  const ProcessResult missing = Zoltoc({"element", "NO\xFF", "--media", media, "--json"});
  const json error = Parsed(missing, 1)["error"];
  EXPECT_EQ(error["code"], 1);
  EXPECT_EQ(error["element"], "NO" + kReplacement);
  EXPECT_EQ(error["file"], dir.path() + "/m" + kReplacement + "/MEDIA.TOC");
  EXPECT_TRUE(error["line"].is_null());
  EXPECT_NE(missing.err.find("NO\xFF (code) is not in " + media), std::string::npos);

  const std::string broken = dir.Write("BROKEN.TOC",
                                       "A:3:0:code:PRD:X::::0::::0:L:\n"
                                       "A:4:0:code:FIX:Y\xFF::::0::::0:L:\n");
  const ProcessResult load = Zoltoc({"plan", "--media", broken, "X", "--json"});
  EXPECT_EQ(Parsed(load, 2)["error"]["line"], 2);
  EXPECT_EQ(Parsed(load, 2)["error"]["element"], "Y" + kReplacement);
  EXPECT_NE(load.err.find(broken + ":2: element Y\xFF"), std::string::npos) << load.err;

  const ProcessResult usage = Zoltoc({"levels", "--media", media, "--bogus\xFF", "--json"});
  EXPECT_EQ(Parsed(usage, 2)["error"]["code"], 2);
  EXPECT_NE(usage.err.find("--bogus"), std::string::npos);
  EXPECT_EQ(usage.out.find("\n{"), std::string::npos);  // one object
}

// What `zoltoc levels --install` says of a PRESENT: the file, the line and the element; of one
// that holds no line, why, and never with a blank line.
TEST(ZoltocMessages, NameTheFileTheLineAndTheElement) {
  TempDir dir;
  const std::string present = dir / "control/PRESENT", said = "zoltoc: " + present;
  const std::string a = "code:FWK:A::::0:1:linux:R1:0:L:\n",
                    b = "code:FWK:B::::0:1:linux:R1:0:L:\n";
  const struct {
    std::string text;
    int status;
    std::string err;
  } cases[] = {
      {a + b + a, 2,
       "zoltoc: ZOLINSInstToc:Duplicate entry in " + present + "\n" + said +
           ":3: A (code): recorded again, first on line 1\n"},
      {a + "code:FWK:C::::0:1:aix:R1:0:L:\n", 2,
       "zoltoc: ZOLINSToc::SetOS: Operating system mismatch on line number 2 from file " + present +
           ":\nzoltoc: linux operating system expected, and aix operating system found\n" + said +
           ":2: C (code): operating system aix, line 1 has linux\n"},
      {"", 2, said + ": is empty\n"},
      {std::string(64, '\0'), 2, said + ":1: holds only NUL bytes, no line\n"},
      {"code:FWK:A:\rcode:FWK:B:\r", 2,
       said + ":1: its lines end with a carriage return only; TOC lines end with a line feed\n"},
      {a.substr(0, a.size() - 1), 2,
       said + ":1: its only line has no line feed, so it is not read\n"},
      {a + b.substr(0, b.size() - 1), 0,
       "zoltoc: warning: " + present + ":2: the last line has no line feed, not read\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    dir.Write("control/PRESENT", c.text);
    const ProcessResult result = Zoltoc({"levels", "--install", dir.path()});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
  }
}

TEST(ZoltocMessages, RecordOnAPresentThatDoesNotLoadSaysWhy) {
  TempDir dir;
  const std::string present = dir / "control/PRESENT";
  MakeDirs(present);
  ProcessResult result = Zoltoc({"record", "--media", kMedia, "--install", dir.path(), "BASEFWK"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "zoltoc: " + present + ": is a directory, not a TOC file\n");
  ASSERT_EQ(::rmdir(present.c_str()), 0);
  ASSERT_EQ(::mkfifo(present.c_str(), 0600), 0);  // never opened: it would block
  result = Zoltoc({"record", "--media", kMedia, "--install", dir.path(), "BASEFWK"});
  EXPECT_EQ(result.err, "zoltoc: " + present + ": is not a regular file\n");
  ASSERT_EQ(::unlink(present.c_str()), 0);
  WriteFile(present, "");  // nothing recorded yet
  result = Zoltoc({"record", "--media", kMedia, "--install", dir.path(), "BASEFWK"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string once = ReadFile(present);
  EXPECT_EQ(once.rfind("code:FWK:BASEFWK:", 0), 0u);
  result = Zoltoc({"record", "--media", kMedia, "--install", dir.path(), "BASEFWK", "--json"});
  EXPECT_EQ(Parsed(result, 0)["already"], json::array({"BASEFWK"}));
  EXPECT_EQ(ReadFile(present), once);
  result = Zoltoc({"record", "--media", kMedia, "--install", dir.path(), "NOPE"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("no line for this element"), std::string::npos);
  // Cut to 47 characters, a longer name could be another element's.
  result = Zoltoc({"record", "--media", kMedia, "--install", dir.path(), std::string(60, 'N')});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find(present + ": " + std::string(60, 'N') + ": the name is longer"),
            std::string::npos);
}

TEST(ZoltocExit, UnwritableStandardOutputExitsWithTwo) {
  EXPECT_EQ(ZoltocWritingTo("", {"levels", "--media", kMedia}), 2);
  EXPECT_EQ(ZoltocWritingTo("", {"element", "NOPE", "--media", kMedia, "--json"}), 2);
  TempDir dir;  // the work is done all the same
  const std::string list = dir.Write("LIST", "./a\n");
  dir.Write("a", "x");
  EXPECT_EQ(ZoltocWritingTo("", {"checksum", list, "-o", dir / "CONTROL"}), 2);
  EXPECT_EQ(ReadFile(dir / "CONTROL"), "./a 120\n");
  if (::geteuid() != 0) GTEST_SKIP() << "a /dev/full copy needs root (mknod)";
  const std::string full = dir / "full";
  ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
  EXPECT_EQ(ZoltocWritingTo(full, {"packages", "--media", kMedia, "--json"}), 2);
  EXPECT_EQ(ZoltocWritingTo(full, {"check", "--install", kInstall}), 2);
  EXPECT_EQ(ZoltocWritingTo(full, {"--help"}), 2);
}

TEST(ZoltocChecksum, RewritesAListUnreadFilesAreFindingsBadFieldsNameTheirLine) {
  InstallCopy copy;
  const std::string control = copy.root() + "/control/EDITOR";
  WriteFile(copy.root() + "/bin/editor", "changed\n");
  WriteFile(control, "./bin/editor\n./share/editor/index.QEidx\n./control/EDITOR\n");
  EXPECT_EQ(Parsed(Zoltoc({"checksum", control, "--json"}), 0)["control"], control);
  EXPECT_EQ(ReadFile(control), "./bin/editor 724\n./share/editor/index.QEidx\n./control/EDITOR\n");
  EXPECT_EQ(Parsed(Zoltoc({"check", "--install", copy.root(), "--json"}), 0)["status"], 1);

  const std::string list = copy.root() + "/control/LIST";
  WriteFile(list, "./bin/editor\n./gone\n./control/LIST\n");
  ProcessResult result = Zoltoc({"checksum", list});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(ReadFile(list), "./bin/editor 724\n./gone\n./control/LIST\n");
  EXPECT_NE(result.err.find("zoltoc: " + list + ":2: ./gone: not read"), std::string::npos);
  WriteFile(list, "./bin/editor\n./b 12x\n./c word\n");
  result = Zoltoc({"checksum", list});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "zoltoc: " + list + ":3: the checksum field is not a number; nothing written\n");
  if (::geteuid() != 0) GTEST_SKIP() << "a device copy needs root (mknod)";
  const std::string device = copy.dir / "null";
  ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  WriteFile(list, "./bin/editor\n");
  EXPECT_EQ(Zoltoc({"checksum", list, "-o", device}).status, 2);
  struct stat info;
  EXPECT_TRUE(::stat(device.c_str(), &info) == 0 && S_ISCHR(info.st_mode));  // still the device
}

}  // namespace
}  // namespace zoltest
