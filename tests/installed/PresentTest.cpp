// How PRESENT is recorded: lines from a medium appended, documentation products completed,
// devices kept devices, the installation kept loadable, and writers taking turns under its lock.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "ZOLINSPresent.h"
#include "base/UniqueFd.h"
#include "support/Process.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::CaptureStderr;
using zoltest::E;
using zoltest::ReadFile;
using V = std::vector<std::string>;

// Everything that loads PRESENT with SetDocPresentFile runs in a child process: what it remembers
// lasts until the process ends.
void InChild(const std::function<void()>& body) {
  EXPECT_EQ(zoltest::RunInChild([&] { return body(), 0; }), 0);
}

struct stat Stat(const std::string& path) {
  struct stat info = {};
  ::stat(path.c_str(), &info);
  return info;
}

class PresentFile : public ::testing::Test {
 protected:
  PresentFile() { zoltest::MakeDirs(dir / "control"); }
  // Records `name` from the TOC file `toc` in `file`, or else in `present`.
  int Record(const char* name, ZOLINSMediaToc* media = nullptr, const std::string& file = "") {
    std::string copy(name ? name : "");
    return UpdatePresentFromToc(toc.c_str(), name ? &copy[0] : nullptr,
                                (file.empty() ? present : file).c_str(), media);
  }
  // Writes the medium TOC: the elements on medium A, in order from 3.
  void Media(const std::vector<E>& elements) {
    std::string text;
    for (std::size_t i = 0; i < elements.size(); ++i)
      text += elements[i].MediaLine("A", static_cast<int>(i) + 3, 1) + "\n";
    toc = dir.Write("MEDIA.TOC", text);
  }
  // `path` loaded as an installation; the test fails when it does not load.
  static std::unique_ptr<ZOLINSInstToc> Load(const std::string& path) {
    auto table = std::make_unique<ZOLINSInstToc>();
    ZOLUnicodeString message;
    std::string copy(path);
    EXPECT_EQ(table->InitInst(&copy[0], message), 1) << message.str();
    return table;
  }
  // The names in a directory below the test's, in byte order, each followed by a line feed: no
  // temporary file of a rewrite, finished or failed, is left beside the file.
  std::string Listing(const std::string& sub) const {
    std::set<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> stream(::opendir((dir / sub).c_str()), ::closedir);
    while (dirent* entry = stream ? ::readdir(stream.get()) : nullptr) names.insert(entry->d_name);
    std::string text;
    for (const char* dot : {".", ".."}) names.erase(dot);
    for (const std::string& name : names) text += name + "\n";
    return text;
  }

  zoltest::ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::TempDir dir;
  std::string present = dir / "control/PRESENT";
  std::string toc;
};

TEST_F(PresentFile, AppendsTheMediumLineWithoutItsMediaFields) {
  const std::string old = zoltest::TocText({E("BASE")});
  zoltest::WriteFile(present, old);
  const std::string irregular = "code:PRD:  NEW  :OLD::P/U :5:20260101000000:os1:ga1:0:New:1 2:";
  const E longOne = E("LONG").Label(std::string(10000, 'x'));
  toc = dir.Write("MEDIA.TOC", longOne.MediaLine("A", 3, 1) + "\nB: 4 :7:" + irregular +
                                   "\nA:4:1:code:PRD\n" + E("NEWER").MediaLine("A", 5, 1));

  // Only a prefix of NEWER, longer than it, a line too short to name anything, no name, no TOC,
  // PRESENT in no directory: nothing is written.
  for (const char* name : {"NEWE", "NEWER2", "PRD", static_cast<const char*>(nullptr)})
    EXPECT_EQ(Record(name), -300) << name;
  char newer[] = "NEWER";
  EXPECT_EQ(UpdatePresentFromToc((dir / "NO.TOC").c_str(), newer, present.c_str(), nullptr), -10);
  EXPECT_EQ(Record("NEWER", nullptr, dir / "no/PRESENT"), -200);

  EXPECT_EQ(Record("NEW"), 0);
  EXPECT_EQ(Record("NEW"), 0);  // recorded already: nothing added
  EXPECT_EQ(Record("LONG"), 0);
  EXPECT_EQ(Record("NEWER"), 0);  // the TOC's last line has no line feed
  EXPECT_EQ(ReadFile(present),
            old + irregular + "\n" + longOne.Line() + "\n" + E("NEWER").Line() + "\n");
}

TEST_F(PresentFile, RecordingKeepsTheInstallationLoadable) {
  const std::string old = zoltest::TocText({E("A"), E("B")});
  zoltest::WriteFile(present, old);
  Media({E("B"), E("D"), E("D").Type("rux2")});
  EXPECT_EQ(Record("B"), 0);  // recorded already with its type: nothing changes
  EXPECT_EQ(ReadFile(present), old);

  // A last line without line feed is no record yet: recording it again completes it.
  zoltest::WriteFile(present, zoltest::TocText({E("A")}) + E("B").Line());
  EXPECT_EQ(Record("B"), 0);
  EXPECT_EQ(ReadFile(present), old);

  // Completed, a cut last line that repeats a record would make PRESENT unloadable: refused.
  const std::string repeated = old + E("B").Line();
  zoltest::WriteFile(present, repeated);
  const std::string said = CaptureStderr([&] { EXPECT_EQ(Record("D"), -200); });
  EXPECT_NE(said.find(present), std::string::npos) << said;
  EXPECT_EQ(ReadFile(present), repeated);
}

TEST_F(PresentFile, RecordThatWouldOverflowAListIsRefusedWithPresentUnchanged) {
  std::string full, supersedes;
  for (int i = 0; i < 4096; ++i) {
    full += E("N" + std::to_string(i)).Line() + "\n";
    supersedes += "S" + std::to_string(i) + " ";
  }
  zoltest::WriteFile(present, full);
  Media({E("ONEMORE"), E("R").Type("rux2").Supersede(supersedes + "S1 X"), E("N7")});
  const std::string said = CaptureStderr([&] { EXPECT_EQ(Record("ONEMORE"), -200); });
  EXPECT_NE(said.find("ONEMORE"), std::string::npos) << said;
  EXPECT_NE(said.find(present), std::string::npos) << said;
  EXPECT_EQ(Record("N7"), 0);  // recorded already: a full list is no reason to fail
  // 4,097 distinct names superseded by one rux2 record: list 4 would overflow.
  CaptureStderr([&] { EXPECT_EQ(Record("R"), -200); });
  EXPECT_EQ(ReadFile(present), full);
}

// PRESENT with documentation frameworks, a documentation product and a very long line.
class DocPresent : public PresentFile {
 protected:
  void SetUp() override {
    zoltest::WriteFile(present, old);
    toc = dir.Write("MEDIA.TOC", X.MediaLine("A", 3, 1) + "\n" + Doc("Y.prd").MediaLine("A", 4, 1) +
                                     "\n" + Z.MediaLine("A", 5, 1) + "\n");
    ZOLUnicodeString message;
    ASSERT_EQ(media->InitMedia(&toc[0], message), 1) << message.str();
  }
  static E Doc(const char* name) { return E(name).Type("documentation").Pkg("PDO"); }
  // The frameworks SetDocPresentFile remembers, checking the bounds of the listing on the way.
  static V Frameworks() {
    int nb = -1;
    EXPECT_EQ(GetNbFWKinPRESENT(&nb), 0);
    V names;
    char name[48] = "";
    for (int i = 1; i <= nb; ++i) names.push_back(GetiemeFWKinPRESENT(i, name) == 0 ? name : "?");
    EXPECT_EQ(GetiemeFWKinPRESENT(0, name), -1);
    EXPECT_EQ(GetiemeFWKinPRESENT(nb + 1, name), -1);
    return names;
  }

  const E X = Doc("X.prd").Prereq("D1 D2 D3 D4");
  const E Z = Doc("Z.prd").Prereq("D1");
  std::string old = zoltest::TocText(
      {E("BASE").Label(std::string(10000, 'b')), E("FWB").Type("documentation").Pkg("FWK"),
       E("FWA").Type("documentation").Pkg("FWK"), Doc("X.prd").Prereq("D10 D2 "), Doc("Y.prd")});
  std::unique_ptr<ZOLINSMediaToc> media = std::make_unique<ZOLINSMediaToc>();
};

TEST_F(DocPresent, FrameworksComeFromTheLastGoodLoad) {
  InChild([&] {
    const std::string missing = dir / "none/PRESENT";
    EXPECT_NE(
        CaptureStderr([&] { EXPECT_EQ(SetDocPresentFile(missing.c_str()), 1); }).find(missing),
        std::string::npos);
    EXPECT_EQ(Frameworks(), V{});
    // Without a remembered product, a product already recorded is left as it is.
    EXPECT_EQ(Record("X.prd", media.get()), 0);
    EXPECT_EQ(ReadFile(present), old);
    const std::string twice = old + X.Line() + "\n";

    zoltest::WriteFile(present, old);
    EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
    EXPECT_EQ(Frameworks(), (V{"FWA", "FWB"}));
    zoltest::WriteFile(present, twice);
    CaptureStderr([&] { EXPECT_EQ(SetDocPresentFile(present.c_str()), 1); });  // a duplicate
    EXPECT_EQ(Frameworks(), (V{"FWA", "FWB"}));
  });
}

TEST_F(DocPresent, ProductLineGetsOnlyItsMissingPrerequisites) {
  InChild([&] {
    EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
    EXPECT_EQ(Record("X.prd", nullptr), -102);
    // D1 counts as present inside D10; D2 is there.
    EXPECT_EQ(Record("X.prd", media.get()), 0);
    std::string expected = old;
    expected.replace(expected.find(":D10 D2 :"), 9, ":D10 D2 D3 D4 :");
    // Complete already, and a product without prerequisites: nothing is written.
    const ino_t inode = Stat(present).st_ino;
    // Held open so that its inode number cannot be handed to a later file.
    const zol::UniqueFd heldOpen(::open(present.c_str(), O_RDONLY | O_CLOEXEC));
    EXPECT_EQ(Record("X.prd", media.get()), 0);
    EXPECT_EQ(Record("Y.prd", media.get()), 0);
    EXPECT_EQ(Stat(present).st_ino, inode);
    // A product that was not in PRESENT when it was loaded is appended.
    EXPECT_EQ(Record("Z.prd", media.get()), 0);
    EXPECT_EQ(ReadFile(present), expected + Z.Line() + "\n");
    // A line copied raw from a medium may end its prereq field without a blank.
    const std::string raw =
        dir.Write("control/RAW", "documentation:PDO:X.prd::D10 D2:::::::0:D:\n");
    EXPECT_EQ(Record("X.prd", media.get(), raw), 0);
    EXPECT_EQ(ReadFile(raw), "documentation:PDO:X.prd::D10 D2 D3 D4 :::::::0:D:\n");
  });
  EXPECT_EQ(Listing("control"), ".zolins.lock\nPRESENT\nRAW\n");
}

TEST_F(DocPresent, FailuresLeaveEveryPresentFileAsItWas) {
  InChild([&] {
    EXPECT_EQ(SetDocPresentFile(present.c_str()), 0);
    EXPECT_EQ(Record("X.prd", media.get(), dir / "control/MISSING"), -100);
    // No line of the product, and a line cut before its prerequisites.
    for (const auto& [text, rc] : {std::pair{"code:PRD:BASE::::0::os1:ga1:0:L:\n", -101},
                                   {"documentation:PDO:X.prd:A\n", -104}}) {
      const std::string file = dir.Write("control/OTHER", text);
      EXPECT_EQ(Record("X.prd", media.get(), file), rc);
      EXPECT_EQ(ReadFile(file), text);
    }

    // A file-size limit below the new content: the replacement is not written whole.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{old.size() / 2, old.size() / 2};
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    EXPECT_EQ(Record("X.prd", media.get()), -112);
    EXPECT_EQ(Record("Z.prd", media.get()), -112);  // appending past the limit
    EXPECT_EQ(ReadFile(present), old);
  });
  EXPECT_EQ(Listing("control"), ".zolins.lock\nOTHER\nPRESENT\n");
}

class PresentDevices : public PresentFile {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "mknod needs root";
    zoltest::MakeDirs(dir / "dev");
    ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
  }
  static bool IsDevice(const std::string& path) {
    struct stat info = {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
  }
  const std::string null = dir / "dev/null";  // copies of the system's null and full devices
  const std::string full = dir / "dev/full";
};

TEST_F(PresentDevices, DeviceAsPresentIsWrittenAsAFileOpenedForWritingWouldBe) {
  const std::string source = dir.Write("SOURCE", zoltest::TocText({E("FIRST"), E("SECOND")}));
  const auto table = Load(source);
  ZOLUnicodeString message;
  EXPECT_EQ(table->UpdatePresent(null.c_str(), message), 1);

  // The write failure names the line that failed; a catalogue shows the parameters.
  dir.Write("cat/ZOLPelmo.msgcat", "ZOLINSInstToc.ErrorWritePresent = [%1] in %2\n");
  zoltest::ScopedEnv catalogue("ZOL_MSGCAT_PATH", (dir / "cat").c_str());
  EXPECT_EQ(table->UpdatePresent(full.c_str(), message), -1);
  EXPECT_EQ(message.str(), "[" + E("FIRST").Line() + "] in " + full);

  Media({E("NEW")});
  EXPECT_EQ(Record("NEW", nullptr, null), 0);
  EXPECT_EQ(Record("NEW", nullptr, full), -112);
  EXPECT_TRUE(IsDevice(null) && IsDevice(full));
  EXPECT_EQ(Listing("dev"), ".zolins.lock\nfull\nnull\n");
}

TEST_F(PresentFile, TwentyConcurrentRecordersLoseNothing) {
  std::vector<std::string> names;
  std::vector<E> elements;
  for (int i = 0; i < 20; ++i) elements.push_back(E(names.emplace_back("E" + std::to_string(i))));
  Media(elements);
  const std::string base = zoltest::TocText({E("BASE")});
  for (int round = 0; round < 50; ++round) {
    zoltest::WriteFile(present, base);
    std::vector<pid_t> children;
    for (const std::string& name : names) {
      const pid_t pid = ::fork();
      if (pid == 0) ::_exit(Record(name.c_str()) == 0 ? 0 : 1);
      children.push_back(pid);
    }
    int failed = 0;
    for (pid_t pid : children) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      failed += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ASSERT_EQ(failed, 0) << "round " << round;
    const auto table = Load(present);
    ASSERT_EQ(table->GetNbToc(), 21) << "round " << round;
    for (const std::string& name : names)
      ASSERT_EQ(table->IsInstalled(name.c_str(), ZOLINS_CODE), 0) << name << " round " << round;
    ASSERT_EQ(Listing("control"), ".zolins.lock\nPRESENT\n") << "round " << round;
  }
}

TEST_F(PresentFile, LockHeldPastTheTimeoutFailsTheRecordNamingTheLock) {
  const std::string old = zoltest::TocText({E("BASE")});
  zoltest::WriteFile(present, old);
  Media({E("NEW")});
  const int holder = zoltest::StartLockHolder(present);
  ASSERT_GT(holder, 0);
  const zoltest::ScopedEnv timeout("ZOL_LOCK_TIMEOUT", "0.2");
  const std::string said = CaptureStderr([&] { EXPECT_EQ(Record("NEW"), -200); });
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_NE(said.find(dir / "control/.zolins.lock"), std::string::npos) << said;
  EXPECT_NE(said.find(std::to_string(holder)), std::string::npos) << said;
  EXPECT_EQ(ReadFile(present), old);
  // The lock died with its holder (kill -9): the next record goes through at once.
  EXPECT_EQ(Record("NEW"), 0);
  EXPECT_EQ(ReadFile(present), old + E("NEW").Line() + "\n");
}
}  // namespace
