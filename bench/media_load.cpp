// Loading a large media TOC, against awk splitting the same file into fields.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "ZOLINSMediaToc.h"

namespace {

// A 60,000-line media TOC with realistic field sizes (about 11 MB).
const std::string& MediaFile() {
  static const std::string* path = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string file = std::string(tmp && *tmp ? tmp : "/tmp") + "/zolbench_media_" +
                       std::to_string(::getpid()) + ".toc";
    std::ofstream out(file);
    for (int i = 0; i < 60000; ++i) {
      const std::string name = "PRODUCTLINEELEMENT" + std::to_string(100000 + i);
      const std::string other = "PRODUCTLINEELEMENT" + std::to_string(100000 + i / 3);
      out << "A:" << i + 3 << ":" << 1000 + i * 7 << ":code:" << (i % 10 ? "PRD" : "FWK") << ":"
          << name << ":" << other << "OLD :" << other << " FRAMEWORKBASE" << i % 50 << " :"
          << (i % 4 ? "" : other + "/" + name + "X ") << ":" << 5000 + i << ":20260101120000"
          << ":aix:R21:0:Element " << i << " label:"
          << "120 130 140 150 160 :\n";
    }
    std::atexit([] { std::remove(MediaFile().c_str()); });
    return new std::string(file);  // never destroyed: the exit handler still needs it
  }();
  return *path;
}

void BM_InitMedia(benchmark::State& state) {
  std::string path = MediaFile();
  for (auto _ : state) {
    ZOLINSMediaToc toc;
    ZOLUnicodeString msg;
    if (toc.InitMedia(&path[0], msg) != 1) state.SkipWithError(msg.ConvertToChar());
    benchmark::DoNotOptimize(toc.GetNbToc());
  }
}
BENCHMARK(BM_InitMedia)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AwkFieldSplit(benchmark::State& state) {
  const std::string command =
      "awk -F: '{ n += NF } END { print n }' " + MediaFile() + " > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("awk failed");
  }
}
BENCHMARK(BM_AwkFieldSplit)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
