// How PRESENT is written: devices stay devices, records keep the installation loadable, and
// concurrent writers take turns under the installation lock.
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSPresent.h"
#include "support/Process.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using zoltest::CaptureStderr;
using zoltest::E;
using zoltest::ReadFile;

class PresentWrite : public ::testing::Test {
 protected:
  PresentWrite() { zoltest::MakeDirs(dir / "control"); }
  int Record(const std::string& name, const std::string& file = "") {
    std::string copy(name);
    return UpdatePresentFromToc(toc.c_str(), &copy[0], (file.empty() ? present : file).c_str(),
                                nullptr);
  }
  // Writes the medium TOC: the elements on medium A, in order from 3.
  void Media(const std::vector<E>& elements) {
    std::string text;
    for (std::size_t i = 0; i < elements.size(); ++i)
      text += elements[i].MediaLine("A", static_cast<int>(i) + 3, 1) + "\n";
    toc = dir.Write("MEDIA.TOC", text);
  }
  // Loads `path` as an installation; 1 when it loads.
  static int Loads(const std::string& path, ZOLUnicodeString& message) {
    auto table = std::make_unique<ZOLINSInstToc>();
    std::string copy(path);
    return table->InitInst(&copy[0], message);
  }
  // The names in a directory below the test's, in byte order, each followed by a line feed.
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

TEST_F(PresentWrite, RecordingKeepsTheInstallationLoadable) {
  const std::string old = zoltest::TocText({E("A"), E("B")});
  zoltest::WriteFile(present, old);
  Media({E("B"), E("C"), E("D"), E("D").Type("rux2")});
  EXPECT_EQ(Record("B"), 0);  // recorded already with its type: nothing changes
  EXPECT_EQ(ReadFile(present), old);

  // A last line without line feed is no record yet: recording it again completes it, recording
  // another element puts the line feed before the new line.
  const std::string cut = zoltest::TocText({E("A")}) + E("B").Line();
  zoltest::WriteFile(present, cut);
  EXPECT_EQ(Record("B"), 0);
  EXPECT_EQ(ReadFile(present), old);
  zoltest::WriteFile(present, cut);
  EXPECT_EQ(Record("C"), 0);
  EXPECT_EQ(ReadFile(present), old + E("C").Line() + "\n");
  ZOLUnicodeString message;
  EXPECT_EQ(Loads(present, message), 1) << message.str();

  // Completed, a cut last line that repeats a record would make PRESENT unloadable: refused.
  const std::string repeated = old + E("B").Line();
  zoltest::WriteFile(present, repeated);
  const std::string said = CaptureStderr([&] { EXPECT_EQ(Record("D"), -200); });
  EXPECT_NE(said.find(present), std::string::npos) << said;
  EXPECT_EQ(ReadFile(present), repeated);
}

TEST_F(PresentWrite, RecordThatWouldOverflowAListIsRefusedWithPresentUnchanged) {
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

class PresentDevices : public PresentWrite {
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
  auto table = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString message;
  std::string copy(source);
  ASSERT_EQ(table->InitInst(&copy[0], message), 1) << message.str();
  EXPECT_EQ(table->UpdatePresent(null.c_str(), message), 1);

  // The write failure names the line that failed; a catalogue shows the parameters.
  dir.Write("cat/ZOLPelmo.msgcat", "ZOLINSInstToc.ErrorWritePresent = [%1] in %2\n");
  zoltest::ScopedEnv catalogue("ZOL_MSGCAT_PATH", (dir / "cat").c_str());
  EXPECT_EQ(table->UpdatePresent(full.c_str(), message), -1);
  EXPECT_EQ(message.str(), "[" + E("FIRST").Line() + "] in " + full);

  Media({E("NEW")});
  EXPECT_EQ(Record("NEW", null), 0);
  EXPECT_EQ(Record("NEW", full), -112);
  EXPECT_TRUE(IsDevice(null) && IsDevice(full));
  EXPECT_EQ(Listing("dev"), ".zolins.lock\nfull\nnull\n");
}

TEST_F(PresentWrite, TwentyConcurrentRecordersLoseNothing) {
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
      if (pid == 0) ::_exit(Record(name) == 0 ? 0 : 1);
      children.push_back(pid);
    }
    int failed = 0;
    for (pid_t pid : children) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      failed += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ASSERT_EQ(failed, 0) << "round " << round;
    auto table = std::make_unique<ZOLINSInstToc>();
    ZOLUnicodeString message;
    std::string copy(present);
    ASSERT_EQ(table->InitInst(&copy[0], message), 1) << "round " << round << message.str();
    for (const std::string& name : names)
      ASSERT_EQ(table->IsInstalled(name.c_str(), ZOLINS_CODE), 0) << name << " round " << round;
    ASSERT_EQ(table->GetNbToc(), 21);
    ASSERT_EQ(Listing("control"), ".zolins.lock\nPRESENT\n") << "round " << round;
  }
}

TEST_F(PresentWrite, LockHeldPastTheTimeoutFailsTheRecordNamingTheLock) {
  const std::string old = zoltest::TocText({E("BASE")});
  zoltest::WriteFile(present, old);
  Media({E("NEW")});
  const int holder = zoltest::StartLockHolder(present);
  ASSERT_GT(holder, 0);
  {
    zoltest::ScopedEnv timeout("ZOL_LOCK_TIMEOUT", "0.2");
    const std::string said = CaptureStderr([&] { EXPECT_EQ(Record("NEW"), -200); });
    EXPECT_NE(said.find(dir / "control/.zolins.lock"), std::string::npos) << said;
    EXPECT_NE(said.find(std::to_string(holder)), std::string::npos) << said;
    EXPECT_EQ(ReadFile(present), old);
  }
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(Record("NEW"), 0);  // the killed holder's lock died with it
  EXPECT_EQ(ReadFile(present), old + E("NEW").Line() + "\n");
}

}  // namespace
