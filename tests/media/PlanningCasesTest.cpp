// Install-planning cases: each tests/data/planning/NAME.case is the test Planning/Case.Holds/NAME;
// the README there describes the notation. The capacity tests at the end generate cases too large
// to write out in the same notation.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace {

using Strings = std::vector<std::string>;
using Fields = std::map<std::string, std::string>;
using zoltest::E;
constexpr unsigned kUnset = 12345;  // a count the call did not set
const auto S = [](std::size_t i) { return std::to_string(i); };

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] == '\\' && i + 1 < text.size() ? text[++i] : '\0';
    out += c == '\0' ? text[i] : c == 'n' ? '\n' : c == 's' ? ' ' : c;
  }
  return out;
}

Strings Split(const std::string& text, char separator = ' ') {
  Strings parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);)
    if (!part.empty()) parts.push_back(part);
  return parts;
}

// `item` for each number below n, with every '#' replaced by the number.
std::string List(const std::string& item, std::size_t n, const char* separator = ",") {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) {
    std::string one = item;
    for (auto at = one.find('#'); at != std::string::npos; at = one.find('#', at))
      one.replace(at, 1, S(i));
    text += (i ? separator : "") + one;
  }
  return text;
}

// The words after the first: key=value ones into `fields` (value unescaped), a bare one to `bare`.
void ReadWords(const Strings& words, Fields& fields, std::string& bare) {
  for (std::size_t i = 1; i < words.size(); ++i) {
    const auto equal = words[i].find('=');
    if (equal == std::string::npos)
      bare = words[i];
    else
      fields[words[i].substr(0, equal)] = Unescape(words[i].substr(equal + 1));
  }
}

// An element line as a TOC line, behind the media prefix fields when `onMedia`.
std::string TocLine(const std::string& line, std::size_t index, bool onMedia) {
  static const std::map<std::string, std::string E::*> kRecordFields{
      {"type", &E::type},     {"size", &E::size},
      {"prereq", &E::prereq}, {"ifreq", &E::ifreq},
      {"os", &E::os},         {"ga", &E::ga},
      {"spk", &E::spk},       {"label", &E::label},
      {"langs", &E::langs},   {"supersede", &E::supersede}};
  const Strings words = Split(line);
  Fields f{{"order", S(index + 3)}, {"medium", "A"}, {"archive", "0"}};
  E e(words.at(0));
  ReadWords(words, f, e.package);
  for (const auto& [key, field] : kRecordFields)
    if (f.count(key)) e.*field = f[key], f.erase(key);
  for (std::string* list : {&e.prereq, &e.ifreq})
    std::replace(list->begin(), list->end(), ',', ' ');
  EXPECT_EQ(f.size(), 3u) << "unknown field in: " << line;
  return onMedia ? e.MediaLine(f["medium"], std::stoi(f["order"]), std::stoul(f["archive"]))
                 : e.Line();
}

class CaseRun {
 public:
  explicit CaseRun(const std::string& text)
      : trace_("ZOL_TRACE", text.find("\ntrace:") != std::string::npos ? "TOC" : nullptr) {
    std::istringstream in(text);
    std::string line, key, value;
    int at = 0;  // where the block in `key` and `value` starts
    for (int number = 1; std::getline(in, line); ++number) {
      line.erase(line.find_last_not_of(" \t") + 1);
      const auto start = line.find_first_not_of(" \t");
      if (start == std::string::npos || line[start] == '#') continue;
      if (start > 0) {
        value += (IsSection(key) ? "\n" : IsText(key) ? "" : " ") + line.substr(start);
        continue;
      }
      Take(key, value, at);
      key = line.substr(0, line.find(':'));
      value = line.substr(std::min(line.find_first_not_of(' ', key.size() + 1), line.size()));
      at = number;
    }
    Take(key, value, at);
    Check();
    EXPECT_GT(requested_, 0) << "the case makes no request";
  }
  ~CaseRun() { ZOLINSToc::sClearInfoMsg(); }

 private:
  static bool IsSection(const std::string& key) { return key == "media" || key == "installed"; }
  static bool IsText(const std::string& key) { return key == "messages" || key == "trace"; }

  void Take(const std::string& key, const std::string& value, int line) {
    if (IsSection(key) || (key == "request" && !expected_.empty())) Check();
    if (IsSection(key))
      Load(key == "media", Split(value, '\n'));
    else if (key == "request")
      requests_.emplace_back(line, value);
    else if (!key.empty())
      expected_[key] = value;
  }

  void Load(bool media, const Strings& elements) {
    std::string text;
    for (std::size_t i = 0; i < elements.size(); ++i) text += TocLine(elements[i], i, media) + "\n";
    std::string path = dir_.Write(media ? "MEDIA.TOC" : "inst/control/PRESENT", text);
    if (!media) inst_ = std::make_unique<ZOLINSInstToc>();
    ZOLUnicodeString message;
    ASSERT_EQ(media ? media_->InitMedia(&path[0], message) : inst_->InitInst(&path[0], message), 1)
        << message.str();
    if (!media) ExpectOneCheckWithAnyReaders(dir_ / "inst");
  }

  // The installation of a case holds no control file: every element is reported, the same way
  // whether the check has reading threads or not.
  void ExpectOneCheckWithAnyReaders(const std::string& root) {
    std::string reports[2];
    int statuses[2];
    for (int i = 0; i < 2; ++i) {
      const zoltest::ScopedEnv readers("ZOL_CHECK_READERS", i ? "4" : "1");
      ZOLUnicodeString report;
      statuses[i] = inst_->CheckIntegrity(report, root.c_str(), 2, 0);
      reports[i] = report.str();
    }
    EXPECT_EQ(reports[1], reports[0]);
    EXPECT_EQ(statuses[1], statuses[0]);
  }

  void Check() {
    EXPECT_TRUE(expected_.empty() || !requests_.empty()) << "expectations that follow no request";
    expected_.emplace("messages", "");
    requested_ += static_cast<int>(requests_.size());
    for (const auto& [line, request] : requests_) {
      SCOPED_TRACE("line " + S(line) + ": request: " + request);
      Fields actual = Call(request);
      for (const auto& [key, want] : expected_) {
        EXPECT_TRUE(actual.count(key)) << "unknown expectation " << key;
        EXPECT_EQ(actual[key], Unescape(want)) << key;
      }
    }
    requests_.clear();
    expected_.clear();
  }

  Fields Call(const std::string& request) {
    const Strings words = Split(request);
    Fields opt{{"archive", "0"}, {"check", "0"}, {"met", "0"}, {"media", "1"}, {"type", "code"}};
    ReadWords(words, opt, opt["type"]);
    const auto type = static_cast<ZOLINSType>(
        std::find(ZOLINSTypeKeyword, ZOLINSTypeKeyword + 6, opt["type"]) - ZOLINSTypeKeyword);
    EXPECT_LT(type, 6) << "unknown type " << opt["type"];
    std::string buffers;  // the requested names, 48 bytes each
    for (const std::string& name : Split(opt["names"], ','))
      buffers += name + std::string(ZOLINS_NAME_SIZE - name.size(), '\0');
    auto* names = reinterpret_cast<char(*)[ZOLINS_NAME_SIZE]>(&buffers[0]);
    const auto nb = static_cast<unsigned>(buffers.size() / ZOLINS_NAME_SIZE);
    media_->SetPrereqCheck(std::stoi(opt["check"]));
    ZOLINSToc::sResetInfoMsg();
    ZOLUnicodeString msg(opt["msg"].c_str());
    unsigned count = kUnset, nbMet = kUnset;
    char(*out)[ZOLINS_NAME_SIZE] = nullptr;
    char *ids = nullptr, **met = nullptr;
    char** idsOut = opt["media"] == "0" ? nullptr : &ids;
    const bool withMet = opt["met"] == "1";
    const std::string op = words.at(0);
    unsigned long long result = 0;  // GetSize's -1 reads as all bits set, like the others'
    const std::string trace = zoltest::CaptureStderr([&] {
      if (op == "GetSize")
        result =
            media_->GetSize(names, nb, type, std::stoi(opt["archive"]), &count, out, inst_.get(),
                            idsOut, withMet ? &nbMet : nullptr, withMet ? &met : nullptr);
      else if (op == "GetSizeGA")
        result = media_->GetSizeGA(names, nb, type, &count, out, msg, inst_.get(), idsOut);
      else if (op == "GetSizeSPK")
        result = media_->GetSizeSPK(names[0], type, &count, out, msg, inst_.get(), idsOut);
      else if (op == "GetSizeHFX")
        result = media_->GetSizeHFX(names, type, msg);
      else
        ADD_FAILURE() << "unknown operation " << op;
    });
    // The names handed out, "unset" when the count was not set.
    const auto listed = [](bool handedOut, unsigned n, auto name) {
      std::string text = n == kUnset ? "unset" : "";
      for (unsigned i = 0; handedOut && n != kUnset && i < n; ++i)
        text += (i ? " " : "") + std::string(name(i));
      return text;
    };
    Fields actual{{"result", std::to_string(static_cast<long long>(result))},
                  {"install", listed(out, count, [&](unsigned i) { return out[i]; })},
                  {"medium", ids && count != kUnset ? std::string(ids, count) : ""},
                  {"met", listed(met, nbMet, [&](unsigned i) { return met[i]; })},
                  {"messages", op == "GetSize" ? (oMsg ? oMsg->str() : "") : msg.str()},
                  {"trace", trace}};
    delete[] out;
    delete[] ids;
    for (unsigned i = 0; met && i < nbMet; ++i) std::free(met[i]);
    std::free(met);
    return actual;
  }

  zoltest::ScopedEnv trace_;
  zoltest::ScopedEnv noCatalogue_{"ZOL_MSGCAT_PATH", nullptr};
  zoltest::TempDir dir_;
  std::unique_ptr<ZOLINSMediaToc> media_ = std::make_unique<ZOLINSMediaToc>();
  std::unique_ptr<ZOLINSInstToc> inst_;
  std::vector<std::pair<int, std::string>> requests_;
  int requested_ = 0;
  Fields expected_;
};

Strings CaseNames() {
  Strings names;
  for (const auto& entry : std::filesystem::directory_iterator(ZOLINS_TEST_DATA_DIR "/planning"))
    if (entry.path().extension() == ".case") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Case : public ::testing::TestWithParam<std::string> {};
TEST_P(Case, Holds) {
  CaseRun(zoltest::ReadFile(ZOLINS_TEST_DATA_DIR "/planning/" + GetParam() + ".case"));
}
INSTANTIATE_TEST_SUITE_P(Planning, Case, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

const std::string kError = "ZOLINSMediaToc::GetSize: internal error ";

// N(n-1) requires N(n-2), ... N0, written from the last: the plan is found backwards, must be
// sorted, and its order numbers are looked up away from their lines.
std::string Chain(std::size_t n) {
  std::string text = "media:\n";
  for (std::size_t i = n; i-- > 0;)
    text +=
        "  N" + S(i) + " order=" + S(i + 3) + " size=1" + (i ? " prereq=N" + S(i - 1) : "") + "\n";
  return text;
}

TEST(PlanningCapacity, ClosureOf4096FitsAndOneMoreOverflows) {
  const std::string plan = "\ninstall: " + List("N#", 4096, " ") + "\n";
  CaseRun(Chain(4096) + "request: GetSize names=N4095\nresult: 4496" + plan +
          "request: GetSizeGA names=N4095\nresult: 4096" + plan + Chain(4097) +
          "request: GetSize names=N4096\nresult: -1\ninstall: unset\nmessages: " + kError +
          "nbtoinstall\nrequest: GetSizeGA msg=before.\\s names=N4096\nresult: -1\n" +
          "messages: before. " + kError + "nbtoinstall\n");
}

// T0..T2999 form a binary tree; T0..T999 also carry a condition on a node deep in the tree (Ci
// comes when T(2999 - i) is selected) and one on a name that never appears.
TEST(PlanningCapacity, WideTreeWithConditionsMetLateIsPlannedWhole) {
  std::string tree;
  for (std::size_t i = 0; i < 3000; ++i)
    tree +=
        "  T" + S(i) + " size=1" + (i < 1500 ? " prereq=T" + S(2 * i + 1) : "") +
        (i < 1499 ? ",T" + S(2 * i + 2) : "") +
        (i < 1000 ? " ifreq=T" + S(2999 - i) + "/C" + S(i) + ",NEVER" + S(i) + "/Z" + S(i) : "") +
        "\n";
  CaseRun("media:\n" + tree + List("  C# size=2\n", 1000, "") +
          "  Z0 size=100\nrequest: GetSize names=T0\nresult: 5400\ninstall: " +
          List("T#", 3000, " ") + " " + List("C#", 1000, " ") + "\n");
}
TEST(PlanningCapacity, EachWorkingListReportsItsOwnOverflow) {
  const auto overflow = [](const std::string& media, const char* request, const char* list) {
    return "media:\n  " + media + "\nrequest: GetSize " + request +
           " names=A\nresult: -1\ninstall: unset\nmessages: " + kError + list + "\n";
  };
  CaseRun(overflow("A prereq=" + List("P#", 4097), "", "nbtoscanafter") +
          overflow("A ifreq=" + List("C#/U#", 4097), "", "nbifreq") +
          // Counting those put off in the pass before.
          overflow("A prereq=B ifreq=" + List("C#/U#", 2100) + "\n  B ifreq=" + List("D#/V#", 2100),
                   "", "nbifreq") +
          overflow("A ifreq=A/U prereq=" + List("P#", 4096), "", "nbtoscanafter3") +
          // Names missing from the medium are examined, and ignored, when sizing archives.
          overflow("A prereq=" + List("P#", 4096), "archive=1", "nbscanned2") +
          // The last of 4097 distinct requested names is reported, then finds no room.
          "media:\n  A\nrequest: GetSize names=" + List("M#", 4097) + "\nresult: -1\nmessages: " +
          List("M# code is not found on the media\\n", 4097, "") + kError + "nbscanned2\n");
}

TEST(PlanningCapacity, MoreThan4096RequestedNamesAreServed) {
  const std::string many = List("A", 5000);
  CaseRun("media:\n  A size=3\n  B size=4\nrequest: GetSize names=" + many +
          ",B\nresult: 407\ninstall: A B\nrequest: GetSizeGA names=B," + many +
          "\nresult: 7\ninstall: A B\n");
}

}  // namespace
