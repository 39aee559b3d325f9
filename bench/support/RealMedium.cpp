#include "RealMedium.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace zolbench {
namespace {

constexpr int kRecords = 63000;
constexpr int kFrameworks = 27000;
constexpr int kPrereqs = 244000;
constexpr int kHubUsers = 20500;
constexpr int kIfreqs = 900;
constexpr int kPresent = 800;

const char* const kWords[] = {
    "lib",   "core",   "net",    "data",  "gtk",   "qt",     "xml",    "ssl",   "python", "perl",
    "font",  "sound",  "video",  "print", "mail",  "office", "kernel", "image", "math",   "crypto",
    "tools", "shell",  "editor", "docs",  "utils", "server", "client", "base",  "common", "plugin",
    "db",    "widget", "locale", "theme", "icons", "input",  "gl",     "http",  "json",   "yaml"};
constexpr int kNbWords = sizeof kWords / sizeof kWords[0];

enum Kind { kFwk, kPrd, kPdo, kGrp, kSlt, kFsp, kSmp, kRux, kSpk, kHfx };

struct Element {
  Kind kind;
  std::string name;
  std::vector<int> prereqs;                 // element indexes
  std::vector<std::pair<int, int>> ifreqs;  // (condition, required) element indexes
};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}
  std::vector<Element> Elements();
  std::string Record(const std::vector<Element>& all, int i);
  std::string Prefix(int i);

 private:
  int Draw(int below) { return static_cast<int>(random_() % static_cast<unsigned>(below)); }
  std::string Word() { return kWords[Draw(kNbWords)]; }
  std::string Name(int i);
  std::string Label();
  void DrawPrereqs(std::vector<Element>& all);
  void Balance(std::vector<Element>& all, int total);
  void DrawIfreqs(std::vector<Element>& all);

  std::mt19937 random_;
};

// Distribution-like names: two or three words and a number, 8 to 40 characters.
std::string Generator::Name(int i) {
  std::string name = Word() + "-" + Word();
  if (Draw(3) == 0) name += "-" + Word();
  return name + std::to_string(i);
}

std::string Generator::Label() {
  std::string label = Word();
  label[0] = static_cast<char>(label[0] - 'a' + 'A');
  for (int n = 1 + Draw(6); n > 0; --n) label += " " + Word();
  return label;
}

Kind KindOf(int i) {
  if (i < kFrameworks) return kFwk;
  if (i < 47100) return kPrd;
  if (i < 55100) return kPdo;
  if (i < 55900) return kGrp;
  if (i < 56300) return kSlt;
  if (i < 59300) return kFsp;
  if (i < 61300) return kSmp;
  if (i < 62992) return kRux;
  return i < 62997 ? kSpk : kHfx;
}

std::vector<Element> Generator::Elements() {
  std::vector<Element> all(kRecords);
  for (int i = 0; i < kRecords; ++i) {
    Element& e = all[static_cast<std::size_t>(i)];
    e.kind = KindOf(i);
    if (e.kind == kPdo && i < 53100)
      e.name = all[static_cast<std::size_t>(i - 20000)].name;
    else if (e.kind == kSmp || e.kind == kRux)  // samples and rux2 share the products' names
      e.name = all[static_cast<std::size_t>(kFrameworks + (i - 59300))].name;
    else if (e.kind == kFsp)
      e.name =
          all[static_cast<std::size_t>((i - 56300) * 9)].name + ".SP" + std::to_string(1 + i % 4);
    else if (e.kind == kSpk)
      e.name = "ZOLSP." + std::to_string(i - 62991);
    else if (e.kind == kHfx)
      e.name = "ZOLHF.1." + std::to_string(i - 62996);
    else
      e.name = Name(i);
  }
  DrawPrereqs(all);
  DrawIfreqs(all);
  return all;
}

void Generator::DrawPrereqs(std::vector<Element>& all) {
  for (int i = 0; i < kRecords; ++i) {
    Element& e = all[static_cast<std::size_t>(i)];
    if (e.kind == kFsp) {
      e.prereqs.push_back((i - 56300) * 9);
      continue;
    }
    if (i > 0 && i <= kHubUsers) e.prereqs.push_back(0);  // the hub: the first framework
    const int below = e.kind == kFwk ? i : kFrameworks;
    const int n = i % 12000 == 7 ? 280 : Draw(6);  // a few very long lines
    for (int k = 0; k < n && below > 1; ++k) e.prereqs.push_back(1 + Draw(below - 1));
  }
  int total = 0;
  for (const Element& e : all) total += static_cast<int>(e.prereqs.size());
  Balance(all, total);
}

// Adds or drops ordinary prerequisites until there are exactly kPrereqs.
void Generator::Balance(std::vector<Element>& all, int total) {
  while (total != kPrereqs) {
    Element& e = all[static_cast<std::size_t>(kFrameworks + Draw(20000))];
    if (total < kPrereqs) {
      e.prereqs.push_back(1 + Draw(kFrameworks - 1));
      ++total;
    } else if (e.prereqs.size() > 1) {
      e.prereqs.pop_back();
      --total;
    }
  }
}

// kIfreqs conditional prerequisites: one on every 22nd product, three on a few.
void Generator::DrawIfreqs(std::vector<Element>& all) {
  int left = kIfreqs;
  for (int i = kFrameworks; left > 0; i += 22) {
    for (int n = i % 2200 == 0 ? 3 : 1; n > 0 && left > 0; --n, --left)
      all[static_cast<std::size_t>(i)].ifreqs.emplace_back(kFrameworks + Draw(20000),
                                                           Draw(kFrameworks));
  }
}

const char* const kKind[] = {"FWK", "PRD", "PDO", "GRP", "SLT", "FSP", "SMP", "PRD", "SPK", "HFX"};

const char* TypeOf(Kind kind) {
  return kind == kPdo ? "documentation" : kind == kSmp ? "samples" : kind == kRux ? "rux2" : "code";
}

std::string Generator::Prefix(int i) {
  return std::string(1, static_cast<char>('A' + i / 16000)) + ":" + std::to_string(i + 3) + ":" +
         std::to_string(1000 + Draw(5000000)) + ":";
}

std::string Generator::Record(const std::vector<Element>& all, int i) {
  const Element& e = all[static_cast<std::size_t>(i)];
  const auto name = [&all](int k) { return all[static_cast<std::size_t>(k)].name; };
  std::string line = std::string(TypeOf(e.kind)) + ":" + kKind[e.kind] + ":" + e.name + ":";
  if (Draw(10) == 0) line += e.name + "-old" + (Draw(2) ? " " + e.name + "-legacy" : "");
  line += ":";
  for (std::size_t k = 0; k < e.prereqs.size(); ++k) line += (k ? " " : "") + name(e.prereqs[k]);
  line += ":";
  for (std::size_t k = 0; k < e.ifreqs.size(); ++k)
    line += (k ? " " : "") + name(e.ifreqs[k].first) + "/" + name(e.ifreqs[k].second);
  const int spk = e.kind == kSpk ? i - 62991 : e.kind == kHfx ? 5 : 0;
  line += ":" + std::to_string(Draw(90000000)) +
          ":20260101120000:lnx64:R26:" + std::to_string(spk) + ":" + Label() + ":";
  if (e.kind == kPdo)
    for (int k = 0; k < 8; ++k) line += std::to_string(Draw(900000)) + " ";
  return line;
}

void Check(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error("cannot write " + what);
}

}  // namespace

RealMedium WriteRealMedium(unsigned seed) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zolbench.XXXXXX";
  Check(::mkdtemp(&pattern[0]) != nullptr, pattern);
  RealMedium medium;
  medium.dir = pattern;
  medium.toc = medium.dir + "/MEDIA.TOC";
  medium.install = medium.dir + "/install";
  Check(::mkdir(medium.install.c_str(), 0755) == 0 &&
            ::mkdir((medium.install + "/control").c_str(), 0755) == 0,
        medium.install);
  Generator generator(seed);
  const std::vector<Element> all = generator.Elements();
  std::ofstream toc(medium.toc), present(medium.install + "/control/PRESENT");
  int installed = 0;
  for (int i = 0; i < kRecords; ++i) {
    const std::string record = generator.Record(all, i);
    const std::string line = generator.Prefix(i) + record;
    toc << line << '\n';
    medium.longestLine = std::max(medium.longestLine, static_cast<int>(line.size()));
    medium.prereqs += static_cast<int>(all[static_cast<std::size_t>(i)].prereqs.size());
    if (i % (kRecords / kPresent) == 0 && installed < kPresent) {
      present << record << '\n';
      ++installed;
    }
  }
  Check(static_cast<bool>(toc.flush()) && static_cast<bool>(present.flush()), medium.dir);
  medium.bytes = static_cast<long>(toc.tellp());
  medium.records = kRecords;
  medium.frameworks = kFrameworks;
  medium.ifreqs = kIfreqs;
  medium.hub = all[0].name;
  medium.someFramework = all[kFrameworks / 2].name;
  return medium;
}

void RemoveRealMedium(const RealMedium& medium) {
  std::remove((medium.install + "/control/PRESENT").c_str());
  ::rmdir((medium.install + "/control").c_str());
  ::rmdir(medium.install.c_str());
  std::remove(medium.toc.c_str());
  ::rmdir(medium.dir.c_str());
}

}  // namespace zolbench
