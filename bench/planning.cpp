// Planning a 2,000-element install over a 60,000-line medium, against loading that medium.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"

namespace {

constexpr int kLines = 60000;
constexpr int kClosure = 2000;
constexpr int kSpread = kLines / kClosure;  // one closure element per 30 lines
constexpr int kInstalled = 1000;

std::string Name(int line) {
  return "PRODUCTLINEELEMENT" + std::to_string(100000 + line);
}
// Closure element k (E0 .. E1999) lies at the end of block k, so that the elements to install are
// spread over the whole medium.
std::string ClosureName(int k) {
  return Name(k * kSpread + kSpread - 1);
}
// Installed element m lies at the start of block m.
std::string InstalledName(int m) {
  return Name(m * kSpread);
}

// The record fields of line i. E0 requires E1, which requires E2, ... down to E1999 (a chain
// 2,000 passes deep); each also requires E(k/2), already examined, and every third one an
// installed element. Every fourth carries a condition met deep in the chain and one never met.
// The other lines look like those of bench/media_load.
std::string Record(int i) {
  const std::string other = Name(i / 3);
  std::string prereq, ifreq;
  if (i % kSpread == kSpread - 1) {
    const int k = i / kSpread;
    if (k + 1 < kClosure) prereq += ClosureName(k + 1) + " ";
    prereq += ClosureName(k / 2) + " ";
    if (k % 3 == 0) prereq += InstalledName(k % kInstalled) + " ";
    if (k % 4 == 0)
      ifreq = ClosureName(kClosure - 1 - k) + "/" + ClosureName((k + 7) % kClosure) + " NOTTHERE" +
              std::to_string(k) + "/" + Name(i - 1) + " ";
  } else {
    prereq = other + " FRAMEWORKBASE" + std::to_string(i % 50) + " ";
    if (i % 4 == 0) ifreq = other + "/" + Name(i) + "X ";
  }
  return std::string("code:") + (i % 10 ? "PRD" : "FWK") + ":" + Name(i) + ":" + other +
         "OLD :" + prereq + ":" + ifreq + ":" + std::to_string(5000 + i) +
         ":20260101120000:aix:R21:0:Element " + std::to_string(i) + " label:120 130 140 150 160 :";
}

std::string TempPath(const char* what) {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp && *tmp ? tmp : "/tmp") + "/zolbench_" + what + "_" +
         std::to_string(::getpid());
}

struct Files {
  std::string consecutive;  // orders 3, 4, 5, ... in line order
  std::string shuffled;     // the same orders in a random permutation
  std::string present;
  ~Files() {
    for (const std::string* path : {&consecutive, &shuffled, &present}) std::remove(path->c_str());
  }
};

const Files& TheFiles() {
  static const Files* files = [] {
    auto made = new Files{TempPath("planning_media.toc"), TempPath("planning_shuffled.toc"),
                          TempPath("planning_PRESENT")};
    std::vector<int> orders(kLines);
    std::iota(orders.begin(), orders.end(), 3);
    std::ofstream consecutive(made->consecutive);
    for (int i = 0; i < kLines; ++i)
      consecutive << "A:" << orders[i] << ":" << 1000 + i * 7 << ":" << Record(i) << "\n";
    std::shuffle(orders.begin(), orders.end(), std::mt19937(42));
    std::ofstream shuffled(made->shuffled);
    for (int i = 0; i < kLines; ++i)
      shuffled << "A:" << orders[i] << ":" << 1000 + i * 7 << ":" << Record(i) << "\n";
    std::ofstream present(made->present);
    for (int m = 0; m < kInstalled; ++m) present << Record(m * kSpread) << "\n";
    std::atexit([] { delete &TheFiles(); });
    return made;
  }();
  return *files;
}

std::unique_ptr<ZOLINSMediaToc> LoadMedia(std::string path, benchmark::State& state) {
  auto media = std::make_unique<ZOLINSMediaToc>();
  ZOLUnicodeString msg;
  if (media->InitMedia(&path[0], msg) != 1) state.SkipWithError(msg.ConvertToChar());
  return media;
}

std::unique_ptr<ZOLINSInstToc> LoadInstalled(benchmark::State& state) {
  auto inst = std::make_unique<ZOLINSInstToc>();
  std::string path = TheFiles().present;
  ZOLUnicodeString msg;
  if (inst->InitInst(&path[0], msg) != 1) state.SkipWithError(msg.ConvertToChar());
  return inst;
}

// One GetSize of E0; the closure must hold the 2,000 elements.
void PlanOnce(ZOLINSMediaToc& media, ZOLINSInstToc& inst, benchmark::State& state) {
  char request[1][ZOLINS_NAME_SIZE] = {};
  ClosureName(0).copy(request[0], ZOLINS_NAME_SIZE - 1);
  unsigned int count = 0;
  char(*names)[ZOLINS_NAME_SIZE] = nullptr;
  char* ids = nullptr;
  const int size =
      media.GetSize(request, 1, ZOLINS_CODE, 0, &count, names, &inst, &ids, nullptr, nullptr);
  if (size <= 0 || count != kClosure) state.SkipWithError("unexpected plan");
  benchmark::DoNotOptimize(size);
  delete[] names;
  delete[] ids;
}

void BM_InitMedia(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LoadMedia(TheFiles().consecutive, state));
}
BENCHMARK(BM_InitMedia)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arg 0: orders numbered from 3 in line order; 1: orders shuffled (the order index is used).
void BM_GetSize(benchmark::State& state) {
  const auto media =
      LoadMedia(state.range(0) ? TheFiles().shuffled : TheFiles().consecutive, state);
  const auto inst = LoadInstalled(state);
  for (auto _ : state) PlanOnce(*media, *inst, state);
}
BENCHMARK(BM_GetSize)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first plan on a freshly loaded medium with shuffled orders: builds the order index.
void BM_GetSizeFirstOnShuffled(benchmark::State& state) {
  const auto inst = LoadInstalled(state);
  for (auto _ : state) {
    state.PauseTiming();
    auto media = LoadMedia(TheFiles().shuffled, state);
    state.ResumeTiming();
    PlanOnce(*media, *inst, state);
    state.PauseTiming();
    media.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GetSizeFirstOnShuffled)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
