// Command-line sessions: each tests/data/zoltoc/NAME.t is the test Zoltoc/Transcript.Matches/NAME;
// the README there describes the notation.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

using Strings = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;
const std::string kData = ZOLINS_TEST_DATA_DIR "/zoltoc";
constexpr auto kTimeLimit = std::chrono::seconds(20);  // per command: a hang fails, never stalls

struct Command {
  int line;
  std::string text;
  Strings expected;
  bool root;  // between "#if root" and "#endif"
};

std::vector<Command> Parse(const std::string& file) {
  std::vector<Command> commands;
  std::istringstream in(zoltest::ReadFile(file));
  bool root = false, open = false;  // `open`: indented lines belong to the last command
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r')
      ADD_FAILURE_AT(file.c_str(), number) << "the line ends with a carriage return";
    if (line == "#if root" || line == "#endif") root = line == "#if root";
    const bool indented = line.rfind("  ", 0) == 0;
    const std::string tag = line.substr(0, 4);
    if (tag == "  $ ")
      commands.push_back({number, line.substr(4), {}, root});
    else if (tag == "  > " && open && commands.back().expected.empty())
      commands.back().text += "\n" + line.substr(4);
    else if (indented && open)
      commands.back().expected.push_back(line.substr(2));
    else if (indented)
      ADD_FAILURE_AT(file.c_str(), number) << "output without a command";
    open = indented && (open || tag == "  $ ");
  }
  return commands;
}

// A line as the transcript writes it: one that is empty, ends with a blank, or holds a control
// character or a byte that is not UTF-8 is escaped (\xHH, \\) and marked " (esc)".
std::string Shown(const std::string& line) {
  std::string escaped;
  bool esc = line.empty() || line.back() == ' ' || line.back() == '\t';
  for (std::size_t at = 0; at < line.size();) {
    const auto c = static_cast<unsigned char>(line[at]);
    std::size_t n = c < 0x80 ? 1 : c >> 5 == 6 ? 2 : c >> 4 == 14 ? 3 : c >> 3 == 30 ? 4 : 0;
    for (std::size_t i = 1; i < n; ++i)
      if (at + i >= line.size() || (static_cast<unsigned char>(line[at + i]) >> 6) != 2) n = 0;
    const std::string hex = {'\\', 'x', "0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
    const bool raw = n == 0 || (n == 1 && (c < 0x20 || c == 0x7f) && c != '\t');
    esc = esc || raw;
    escaped += raw ? hex : c == '\\' ? "\\\\" : line.substr(at, n);
    at += std::max<std::size_t>(n, 1);
  }
  return esc ? escaped + " (esc)" : line;
}

// Adds the lines of `text` to `shown`, behind `prefix`, the paths of `variables` written as their
// names ($TMP); a last line without a line feed is marked " (no-eol)".
void Transcribe(std::string text, const std::string& prefix, const Pairs& variables,
                Strings& shown) {
  for (const auto& [name, path] : variables)
    for (auto at = text.find(path); at != std::string::npos; at = text.find(path, at))
      text.replace(at, path.size(), "$" + name);
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    shown.push_back(prefix + Shown(line) + (in.eof() ? " (no-eol)" : ""));
}

// Runs a command with /bin/sh in $TMP, its process group killed past the time limit. Returns its
// standard output, its standard error behind "! " and its exit status when not 0, as transcribed.
Strings RunShell(const std::string& command, const Pairs& variables) {
  const zoltest::TempDir capture;
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setpgid(0, 0);
    Strings settings;  // the library's own would change what it prints
    for (char** e = environ; *e; ++e)
      if (std::strncmp(*e, "ZOL_", 4) == 0) settings.emplace_back(*e, std::strcspn(*e, "="));
    for (const std::string& name : settings) ::unsetenv(name.c_str());
    for (const auto& [name, value] : variables) ::setenv(name.c_str(), value.c_str(), 1);
    ::dup2(::open("/dev/null", O_RDONLY), 0);
    ::dup2(::open((capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    ::dup2(::open((capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    if (::chdir(std::getenv("TMP")) == 0) ::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
    ::_exit(127);
  }
  ::setpgid(pid, pid);
  const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
  int status = 0;
  bool late = false;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if ((late = std::chrono::steady_clock::now() > deadline)) ::kill(-pid, SIGKILL);
    std::this_thread::sleep_for(std::chrono::milliseconds(late ? 0 : 2));
  }
  ::kill(-pid, SIGKILL);  // whatever it left running
  status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  const Pairs paths(variables.begin(), variables.begin() + 2);  // $TMP, $EXAMPLES
  Strings shown;
  Transcribe(zoltest::ReadFile(capture / "out"), "", paths, shown);
  Transcribe(zoltest::ReadFile(capture / "err"), "! ", paths, shown);
  if (late || status) shown.push_back(late ? "[timed out]" : "[" + std::to_string(status) + "]");
  return shown;
}

// The lines that differ, behind "-" (expected) and "+" (actual), between those both have.
std::string Difference(const Strings& e, const Strings& a) {
  std::size_t head = 0, tail = 0;
  while (head < std::min(e.size(), a.size()) && e[head] == a[head]) ++head;
  while (tail < std::min(e.size(), a.size()) - head && e.rbegin()[tail] == a.rbegin()[tail]) ++tail;
  std::string text = "--- expected\n+++ actual\n";
  for (std::size_t i = 0; i < head; ++i) text += "   " + e[i] + "\n";
  for (std::size_t i = head; i < e.size() - tail; ++i) text += "-  " + e[i] + "\n";
  for (std::size_t i = head; i < a.size() - tail; ++i) text += "+  " + a[i] + "\n";
  for (std::size_t i = e.size() - tail; i < e.size(); ++i) text += "   " + e[i] + "\n";
  return text;
}

class Transcript : public ::testing::TestWithParam<std::string> {};
TEST_P(Transcript, Matches) {
  const std::string file = kData + "/" + GetParam() + ".t";
  const std::vector<Command> commands = Parse(file);
  ASSERT_FALSE(commands.empty()) << file << " holds no command";
  const zoltest::TempDir dir;
  const char* path = std::getenv("PATH");
  const std::string tools = std::filesystem::path(ZOLTOC_PATH).parent_path();
  const Pairs variables = {
      {"TMP", dir.path()},     {"EXAMPLES", ZOLINS_EXAMPLES_DIR},
      {"ZOLTOC", ZOLTOC_PATH}, {"VERSION", ZOLINS_VERSION},
      {"LC_ALL", "C"},         {"PATH", tools + ":" + (path ? path : "/usr/bin:/bin")}};
  int skipped = 0;
  for (const Command& command : commands) {
    if (command.root && ::geteuid() != 0 && ++skipped) continue;
    const Strings actual = RunShell(command.text, variables);
    if (actual != command.expected)
      ADD_FAILURE_AT(file.c_str(), command.line) << "$ " << command.text << "\n"
                                                 << Difference(command.expected, actual);
  }
  if (skipped) GTEST_SKIP() << skipped << " command(s) under #if root need root (mknod)";
}

Strings TranscriptNames() {
  Strings names;
  for (const auto& entry : std::filesystem::directory_iterator(kData))
    if (entry.path().extension() == ".t") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Zoltoc, Transcript, ::testing::ValuesIn(TranscriptNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
