// A level-2 check with its files read by the walk alone and by the default number of reading
// threads, against a plain parallel read of the same files with that many threads. The tree holds
// 40,000 small files (median about 3 KB) and four of 128 MiB, about 0.7 GB in all, below $TMPDIR;
// it is removed at exit. Cold rounds drop the page cache first, which needs root; they are
// skipped otherwise.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "ZOLINSInstToc.h"
#include "integrity/ReadAhead.h"

namespace {

constexpr int kElements = 400;
constexpr int kFilesPerElement = 100;
constexpr std::size_t kLargeSize = std::size_t(128) << 20;

struct Installation {
  std::string root;
  std::vector<std::string> files;
  std::mt19937 random{7};

  Installation() {
    const char* tmp = std::getenv("TMPDIR");
    root = std::string(tmp && *tmp ? tmp : "/tmp") + "/zolbench_readers_XXXXXX";
    if (!::mkdtemp(&root[0])) std::abort();
    std::filesystem::create_directories(root + "/control");
    std::ofstream(root + "/control/PCFG.list");
    std::ofstream present(root + "/control/PRESENT");
    for (int e = 0; e < kElements; ++e) {
      const std::string name = "ELEMENT" + std::to_string(10000 + e);
      present << "code:PRD:" << name << "::::4096:20260101000000:os1:ga1:0:" << name << ":\n";
      std::filesystem::create_directories(root + "/code/" + name);
      std::string control = "./control/" + name + "\n";
      for (int f = 0; f < kFilesPerElement; ++f) {
        const std::string listed = "/code/" + name + "/file" + std::to_string(f);
        const bool large = f == 0 && e % 100 == 0;
        control += "." + listed + " " + std::to_string(Write(root + listed, Size(large))) + "\n";
        files.push_back(root + listed);
      }
      std::ofstream(root + "/control/" + name) << control;
    }
  }
  ~Installation() { std::filesystem::remove_all(root); }

  // Mostly 1 to 5 KB, one in twenty 16 to 80 KB.
  std::size_t Size(bool large) {
    if (large) return kLargeSize;
    return random() % 20 == 0 ? 16384 + random() % 65536 : 1024 + random() % 4096;
  }

  std::uint32_t Write(const std::string& path, std::size_t size) {
    std::string content(size, '\0');
    std::uint32_t sum = 0;
    for (char& c : content) {
      c = static_cast<char>(random() & 0x7f);
      sum += static_cast<unsigned char>(c);
    }
    std::ofstream(path, std::ios::binary) << content;
    return sum;
  }
};

Installation& Tree() {
  static Installation tree;
  return tree;
}

// Open, read to the end and close every file, with `threads` threads taking them in turn.
void ParallelRead(const std::vector<std::string>& files, int threads) {
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    std::vector<char> buffer(512 * 1024);
    for (std::size_t i = next++; i < files.size(); i = next++) {
      const int fd = ::open(files[i].c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) std::abort();
      while (::read(fd, buffer.data(), buffer.size()) > 0) {
      }
      ::close(fd);
    }
  };
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) pool.emplace_back(work);
  for (std::thread& thread : pool) thread.join();
}

bool DropCaches() {
  ::sync();
  std::ofstream drop("/proc/sys/vm/drop_caches");
  return drop && (drop << "3\n").flush();
}

double Seconds(const std::function<void()>& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One round: the plain read, the check with one reader, the check with the default; each after
// dropping the cache when `cold`. Best of the rounds, and the ratios to the plain read.
void BM_CheckVersusParallelRead(benchmark::State& state) {
  const bool cold = state.range(0) != 0;
  if (cold && ::geteuid() != 0) return state.SkipWithError("dropping the page cache needs root");
  Installation& tree = Tree();
  std::string present = tree.root + "/control/PRESENT";
  ZOLINSInstToc toc;
  ZOLUnicodeString message;
  if (toc.InitInst(&present[0], message) != 1) return state.SkipWithError(message.ConvertToChar());
  const int readers = zol::CheckReaders();
  const std::string readersText = std::to_string(readers);
  auto check = [&](const char* count) {
    ::setenv("ZOL_CHECK_READERS", count, 1);
    ZOLUnicodeString report;
    if (toc.CheckIntegrity(report, tree.root.c_str(), 2, 0) != 1) std::abort();
  };
  double plain = 1e9, one = 1e9, many = 1e9;
  auto prepare = [&] {
    if (cold && !DropCaches()) std::abort();
  };
  ParallelRead(tree.files, readers);  // warms the cache once for the warm rounds
  for (auto _ : state) {
    prepare();
    plain = std::min(plain, Seconds([&] { ParallelRead(tree.files, readers); }));
    prepare();
    one = std::min(one, Seconds([&] { check("1"); }));
    prepare();
    many = std::min(many, Seconds([&] { check(readersText.c_str()); }));
  }
  ::unsetenv("ZOL_CHECK_READERS");
  state.counters["readers"] = readers;
  state.counters["plain_s"] = plain;
  state.counters["one_reader_s"] = one;
  state.counters["default_s"] = many;
  state.counters["default_vs_plain"] = many / plain;
  state.counters["one_vs_plain"] = one / plain;
}
BENCHMARK(BM_CheckVersusParallelRead)
    ->ArgName("cold")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
