// The integrity check of a large installation against a plain read() of the files it lists.
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ZOLINSInstToc.h"

namespace {

constexpr int kElements = 2000;
constexpr int kFilesPerElement = 25;  // 50,000 listed files

// An installation below $TMPDIR: control/PRESENT, control/PCFG.list, one control file per
// element with checksums, and 25 files of 2 to 6 KB per element in a directory of its own.
struct Installation {
  std::string root;
  std::vector<std::string> files;  // every listed file, full path

  Installation() {
    const char* tmp = std::getenv("TMPDIR");
    root = std::string(tmp && *tmp ? tmp : "/tmp") + "/zolbench_integrity_XXXXXX";
    if (!::mkdtemp(&root[0])) std::abort();
    ::mkdir((root + "/control").c_str(), 0755);
    ::mkdir((root + "/code").c_str(), 0755);
    std::ofstream(root + "/control/PCFG.list");
    std::ofstream present(root + "/control/PRESENT");
    std::mt19937 random(42);
    std::string content;
    for (int e = 0; e < kElements; ++e) {
      const std::string name = "ELEMENT" + std::to_string(10000 + e);
      // Every tenth element is a framework that the next product requires.
      const bool framework = e % 10 == 0;
      const std::string prereq = e % 10 == 1 ? "ELEMENT" + std::to_string(10000 + e - 1) : "";
      present << "code:" << (framework ? "FWK" : "PRD") << ":" << name << "::" << prereq
              << "::4096:20260101000000:os1:ga1:0:" << name << " label:\n";
      const std::string directory = "/code/" + name;
      ::mkdir((root + directory).c_str(), 0755);
      std::string control = "./control/" + name + "\n";
      for (int f = 0; f < kFilesPerElement; ++f) {
        const std::string listed = directory + "/file" + std::to_string(f) + ".dat";
        content.resize(2048 + random() % 4096);
        std::uint32_t sum = 0;
        for (char& c : content) {
          c = static_cast<char>(random());
          sum += static_cast<unsigned char>(c);
        }
        std::ofstream(root + listed, std::ios::binary) << content;
        control += "." + listed + " " + std::to_string(sum) + "\n";
        files.push_back(root + listed);
      }
      std::ofstream(root + "/control/" + name) << control;
    }
  }
  ~Installation() {
    ::nftw(
        root.c_str(),
        [](const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }, 16,
        FTW_DEPTH | FTW_PHYS);
  }
};

Installation& Tree() {
  static Installation tree;
  return tree;
}

void BM_CheckIntegrity(benchmark::State& state) {
  Installation& tree = Tree();
  std::string present = tree.root + "/control/PRESENT";
  auto toc = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString message;
  if (toc->InitInst(&present[0], message) != 1) return state.SkipWithError(message.ConvertToChar());
  const int level = static_cast<int>(state.range(0));
  for (auto _ : state) {
    ZOLUnicodeString report;
    const int status = toc->CheckIntegrity(report, tree.root.c_str(), level, 0);
    if (status != 1) state.SkipWithError(report.ConvertToChar());
    benchmark::DoNotOptimize(status);
  }
  state.counters["files"] = static_cast<double>(tree.files.size());
}
BENCHMARK(BM_CheckIntegrity)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// What any reader of the same files pays: open, read to the end, close.
void BM_PlainRead(benchmark::State& state) {
  Installation& tree = Tree();
  std::vector<char> buffer(64 * 1024);
  for (auto _ : state) {
    std::size_t total = 0;
    for (const std::string& path : tree.files) {
      const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) return state.SkipWithError("cannot open a listed file");
      ssize_t got;
      while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) total += got;
      ::close(fd);
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
