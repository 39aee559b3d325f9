// Report-level cases of the integrity check: tests/data/integrity/NAME.case is the test
// Integrity/IntegrityCase.Run/NAME (and OneReader/NAME), which builds an installation tree in a
// fresh directory, checks it and compares the status and the exact report. The README there
// describes the directives.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <map>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "ZOLCheckSum.h"
#include "ZOLINSInstToc.h"
#include "ZOLINSIntegrity.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {
// Called with every path that the process passes to access(2), while set.
std::function<void(const char*)> accessHook;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
}  // namespace

// This program's own access(2), so that a case can act at an exact point of a check (the check
// looks for every control and listed file with access); without a hook it changes nothing.
extern "C" int access(const char* path, int mode) noexcept {
  if (accessHook) accessHook(path);
  return ::faccessat(AT_FDCWD, path, mode, 0);
}

namespace {

using zoltest::E;

// One case on a tree of its own: directives apply in order, and a check's expectations are
// compared when the next check begins or the case ends.
class CaseRun {
 public:
  void Run(const std::string& name, const std::string& script) {
    Line("env ZOL_MSGCAT_PATH", 0);
    Line("env ZOLReffilesPath", 0);
    std::istringstream lines(script);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
      SCOPED_TRACE(name + ".case:" + std::to_string(number));
      Line(line, number);
    }
    WriteFile();
    Compare();
    EXPECT_GT(checks_, 0) << name << ".case makes no check";
  }

 private:
  void Line(const std::string& line, int number) {
    if (file_ && line.rfind("  ", 0) == 0)
      return void(file_->second += Expand(line.substr(2)) + "\n");
    WriteFile();
    std::istringstream in(line);
    std::string word, arg;
    if (!(in >> word) || word[0] == '#') return;
    if (word == "present") return Present(in);
    if (word == "report") return void(wantReport_ += Expand(Rest(in)));
    in >> std::quoted(arg);
    arg = Expand(arg);
    const std::string rest = Expand(Rest(in));
    if (word == "file") return void(file_.emplace(arg, rest));
    if (word == "control") return void(file_.emplace("control/" + arg, rest));
    if (word == "env")
      return env_.push_back(
          std::make_unique<zoltest::ScopedEnv>(arg.c_str(), rest.empty() ? nullptr : rest.c_str()));
    if (word == "sigint-at")
      return void(accessHook = [arg, fired = false](const char* path) mutable {
        if (!fired && EndsWith(path, arg)) fired = true, ::kill(::getpid(), SIGINT);
      });
    if (word == "check") return Check(arg, rest, number);
    if (word == "status") return void(wantStatus_ = std::stoi(arg));
    ADD_FAILURE() << "unknown directive " << word;
  }

  static std::string Rest(std::istringstream& in) {
    std::string rest;
    std::getline(in >> std::ws, rest);
    return rest;
  }

  std::string Expand(std::string out) const {
    // {x*N} is x written N times (x holds no brace or star: {sum} stays as it is).
    for (std::size_t open = out.find('{'); open != std::string::npos; open = out.find('{', open)) {
      const std::size_t star = out.find_first_of("{}*", open + 1);
      const std::size_t close =
          star == std::string::npos ? star : out.find_first_not_of("0123456789", star + 1);
      if (close == std::string::npos || out[star] != '*' || close == star + 1 ||
          out[close] != '}') {
        ++open;
        continue;
      }
      std::string times;
      for (int n = std::stoi(out.substr(star + 1)); n > 0; --n)
        times.append(out, open + 1, star - open - 1);
      out.replace(open, close + 1 - open, times);
      open += times.size();
    }
    for (auto [from, to] : {std::pair{"$ROOT", root_.path().c_str()}, {"\\n", "\n"}, {"\\r", "\r"}})
      for (std::size_t at = 0; (at = out.find(from, at)) != std::string::npos;
           at += std::strlen(to))
        out.replace(at, std::strlen(from), to);
    return out;
  }

  void Present(std::istringstream& in) {
    static const std::map<std::string, std::string E::*> fields = {{"type", &E::type},
                                                                   {"pkg", &E::package},
                                                                   {"prereq", &E::prereq},
                                                                   {"ifreq", &E::ifreq},
                                                                   {"spk", &E::spk}};
    if (checked_) records_.clear(), checked_ = false;
    std::string name, field;
    E& e = records_.emplace_back((in >> name, name));
    while (in >> field) {
      const std::size_t eq = field.find('=');
      std::replace(field.begin(), field.end(), ',', ' ');
      e.*fields.at(field.substr(0, eq)) = field.substr(eq + 1);
    }
  }

  void WriteFile() {
    if (!file_) return;
    std::string& text = file_->second;
    for (std::size_t at; (at = text.find(" {sum}")) != std::string::npos;) {
      const std::size_t start = text.rfind('\n', at) + 1;  // 0 on the first line
      std::string listed = root_.path() + text.substr(start + 1, at - start - 1);
      EXPECT_TRUE(std::filesystem::is_regular_file(listed)) << "{sum} of an unwritten " << listed;
      text.replace(at + 1, 5, std::to_string(ZOLCalcCheckSum(&listed[0])));
    }
    root_.Write(file_->first, text);
    file_.reset();
  }

  void Check(const std::string& path, const std::string& levels, int number) {
    Compare();
    int level = 0, compact = 0;
    std::istringstream(levels) >> level >> compact;
    std::string present;
    for (const E& e : records_) present += e.Line() + "\n";
    std::string presentPath = root_.Write("control/PRESENT", present);
    ZOLINSInstToc toc;
    ZOLUnicodeString message, report;
    ASSERT_EQ(toc.InitInst(&presentPath[0], message), 1) << message.str();
    gotStatus_ =
        toc.CheckIntegrity(report, path == "null" ? nullptr : path.c_str(), level, compact);
    gotReport_ = report.str();
    checkLine_ = number, checked_ = true, ++checks_;
  }

  void Compare() {
    if (!checkLine_) return;
    EXPECT_EQ(gotStatus_, wantStatus_) << "status of the check on line " << checkLine_;
    EXPECT_EQ(gotReport_, wantReport_) << "report of the check on line " << checkLine_;
    checkLine_ = 0, wantStatus_ = -1, wantReport_.clear();
  }

  zoltest::TempDir root_;
  std::vector<std::unique_ptr<zoltest::ScopedEnv>> env_;
  std::vector<E> records_;
  bool checked_ = false;
  std::optional<std::pair<std::string, std::string>> file_;  // path below the root, text
  int checks_ = 0, checkLine_ = 0, gotStatus_ = 0, wantStatus_ = -1;
  std::string gotReport_, wantReport_;
};

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(ZOLINS_TEST_DATA_DIR "/integrity", error))
    if (entry.path().extension() == ".case") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

class IntegrityCase : public ::testing::TestWithParam<std::string> {};

// Every case runs with files read ahead by four threads (Run) and by the walk alone (OneReader):
// both must give the expected report, byte for byte.
void RunCase(const std::string& name, const char* readers) {
  zoltest::ScopedEnv env("ZOL_CHECK_READERS", readers);
  const std::string script = zoltest::ReadFile(ZOLINS_TEST_DATA_DIR "/integrity/" + name + ".case");
  if (script.find("sigint-at ") == std::string::npos) return CaseRun().Run(name, script);
  EXPECT_EQ(zoltest::RunInChild([&] { return CaseRun().Run(name, script), 0; }), 0);
}

TEST_P(IntegrityCase, Run) {
  RunCase(GetParam(), "4");
}

TEST_P(IntegrityCase, OneReader) {
  RunCase(GetParam(), "1");
}

INSTANTIATE_TEST_SUITE_P(Integrity, IntegrityCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

// What the cases cannot show: the interrupt state variables, and the end of a process that gets a
// second SIGINT during a check (the handler gave SIGINT its default action back).
TEST(Interrupt, ASecondSignalDuringACheckEndsTheProcess) {
  const int rc = zoltest::RunInChild([] {
    accessHook = [](const char* path) {
      if (!EndsWith(path, "/control/A")) return;
      ::kill(::getpid(), SIGINT);
      EXPECT_EQ(_i_SignalIntercept_KillProcess, 1);
      EXPECT_EQ(_i_SignalIntercept_SignalNum, SIGINT);
      if (::testing::Test::HasFailure()) ::_exit(1);
      ::kill(::getpid(), SIGINT);
    };
    CaseRun().Run("second-signal",
                  "present A\ncontrol A ./control/A\\n\ncheck $ROOT 1\nstatus 1\n");
    return 3;  // not reached
  });
  EXPECT_EQ(rc, 128 + SIGINT);
}

}  // namespace
