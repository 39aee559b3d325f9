// Every operation that a distribution-sized medium makes expensive, timed on one generated medium
// (bench/support/RealMedium.h) beside the reference they are held to: awk splitting the same file
// into fields. After the runs it prints each figure against its target.
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "RealMedium.h"
#include "ZOLINSMediaToc.h"
#include "toc/UnboundedQueries.h"

extern char** environ;

namespace {

const zolbench::RealMedium* medium = nullptr;
long residentGrowth = 0;  // bytes a loaded medium keeps resident
double awkCpuMs = 0;

long ResidentBytes() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * ::sysconf(_SC_PAGESIZE);
}

std::unique_ptr<ZOLINSMediaToc> Load() {
  auto toc = std::make_unique<ZOLINSMediaToc>();
  ZOLUnicodeString msg;
  std::string path = medium->toc;
  if (toc->InitMedia(&path[0], msg) != 1) return nullptr;
  return toc;
}

void BM_AwkFieldSplit(benchmark::State& state) {
  std::string awk = "awk", program = "{ n += NF } END { print n }", sep = "-F:";
  std::string file = medium->toc;
  char* argv[] = {&awk[0], &sep[0], &program[0], &file[0], nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  double cpu = 0;  // awk's own processor time, which the CPU column (this process's) leaves out
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    struct rusage usage = {};
    if (posix_spawnp(&pid, "awk", &actions, nullptr, argv, environ) != 0 ||
        ::wait4(pid, &status, 0, &usage) != pid || status != 0)
      state.SkipWithError("awk failed");
    cpu += usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
           usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
  }
  posix_spawn_file_actions_destroy(&actions);
  const double mean = cpu / static_cast<double>(state.iterations());
  if (awkCpuMs == 0 || mean < awkCpuMs) awkCpuMs = mean;  // the least of the repetitions
  state.counters["awk_cpu_ms"] = mean;
}
// The machine is shared: each figure is also taken as the least of several repetitions, the one
// that other processes disturbed least.
double Least(const std::vector<double>& v) {
  return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

// The load and awk: five repetitions of at least half a second each, the least kept.
void LeastOfFive(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(5);
  b->ComputeStatistics("least", Least);
}

BENCHMARK(BM_AwkFieldSplit)->Apply(LeastOfFive);

void BM_InitMedia(benchmark::State& state) {
  for (auto _ : state) {
    auto toc = Load();
    if (!toc) state.SkipWithError("InitMedia failed");
    benchmark::DoNotOptimize(toc);
    state.PauseTiming();
    toc.reset();  // the release is not part of the load
    state.ResumeTiming();
  }
  state.counters["resident_MB"] = residentGrowth / 1e6;
  state.counters["file_MB"] = medium->bytes / 1e6;
}
BENCHMARK(BM_InitMedia)->Apply(LeastOfFive);

void BM_GetPackage(benchmark::State& state) {
  auto toc = Load();
  auto found = std::make_unique<ZOLINSStockName>();
  for (auto _ : state) {
    toc->GetPackage(ZOLINS_FWK, ZOLINS_CODE, found.get(), 0);
    benchmark::DoNotOptimize(found->GetNbName());
  }
  state.counters["names"] = found->GetNbName();
}
BENCHMARK(BM_GetPackage)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GetPrerequing(benchmark::State& state) {
  auto toc = Load();
  auto found = std::make_unique<ZOLINSStockIndex>();
  for (auto _ : state) {
    toc->GetPrerequing(medium->hub.c_str(), ZOLINS_CODE, found.get());
    benchmark::DoNotOptimize(found->GetNbIndex());
  }
  state.counters["indexes"] = found->GetNbIndex();
}
BENCHMARK(BM_GetPrerequing)->Unit(benchmark::kMillisecond)->UseRealTime();

// What zoltoc lists: every requiring element, not only the first 4096.
void BM_AllPrerequing(benchmark::State& state) {
  auto toc = Load();
  std::size_t found = 0;
  for (auto _ : state) found = zol::AllPrerequing(*toc, medium->hub.c_str(), ZOLINS_CODE).size();
  state.counters["indexes"] = static_cast<double>(found);
}
BENCHMARK(BM_AllPrerequing)->Unit(benchmark::kMillisecond)->UseRealTime();

// 500 removals spread over the table, each followed by the lookup of a name that is still there.
void BM_RemoveThenGetIndex500(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto toc = Load();
    std::vector<std::pair<std::string, ZOLINSType>> names;
    for (int i = 0; i < 1000; ++i) {
      const ZOLINSUnitToc* record = toc->GetIiemeUnitToc(i * (toc->GetNbToc() / 1000));
      names.emplace_back(record->GetName(), record->GetType());
    }
    state.ResumeTiming();
    ZOLUnicodeString msg;
    bool ok = true;
    for (int i = 0; i < 500; ++i) {
      const auto& removed = names[static_cast<std::size_t>(2 * i)];
      const auto& looked = names[static_cast<std::size_t>(2 * i + 1)];
      ok = ok && toc->Remove(removed.first.c_str(), removed.second, msg) == 1 &&
           toc->GetIndex(looked.first.c_str(), looked.second) >= 0;
    }
    state.PauseTiming();
    toc.reset();
    if (!ok) state.SkipWithError("a removal or a lookup failed");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RemoveThenGetIndex500)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the mean real and processor time of each benchmark, in milliseconds, for the summary.
class Recorder : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> ms, cpuMs;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations == 0 || run.error_occurred) continue;
      // Repeated benchmarks are summed up by their least repetition, the others by their mean.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "least") continue;
      ms[Short(run.benchmark_name())] = run.GetAdjustedRealTime();
      cpuMs[Short(run.benchmark_name())] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  static std::string Short(const std::string& name) { return name.substr(0, name.find('/')); }
};

void PrintSummary(const Recorder& recorder) {
  const auto time = [](const std::map<std::string, double>& times, const char* name) {
    const auto found = times.find(name);
    return found == times.end() ? -1.0 : found->second;
  };
  const double awk = time(recorder.ms, "BM_AwkFieldSplit");
  const double load = time(recorder.ms, "BM_InitMedia");
  const double loadCpu = time(recorder.cpuMs, "BM_InitMedia");
  std::printf(
      "\nmedium: %d records, %.1f MB, %d frameworks, %d prerequisites (%s required by "
      "20,500), %d conditional, longest line %d bytes\n",
      medium->records, medium->bytes / 1e6, medium->frameworks, medium->prereqs,
      medium->hub.c_str(), medium->ifreqs, medium->longestLine);
  std::printf("(least of 5 repetitions for InitMedia and awk, mean for the others)\n");
  std::printf("InitMedia        %8.2f ms = %.2fx awk (%.2f ms)    target <= 1x\n", load, load / awk,
              awk);
  std::printf("  processor time %8.2f ms = %.2fx awk's (%.2f ms)\n", loadCpu, loadCpu / awkCpuMs,
              awkCpuMs);
  std::printf("resident         %8.1f MB = %.2fx the file          target <= 3x\n",
              residentGrowth / 1e6, static_cast<double>(residentGrowth) / medium->bytes);
  // Real time counts the waits for a shared processor; processor time does not.
  const auto line = [&](const char* label, const char* name, const char* target) {
    std::printf("%-16s %8.3f ms (processor %.3f ms)     target %s\n", label,
                time(recorder.ms, name), time(recorder.cpuMs, name), target);
  };
  line("GetPackage", "BM_GetPackage", "<= 5 ms");
  line("GetPrerequing", "BM_GetPrerequing", "<= 5 ms");
  line("  every result", "BM_AllPrerequing", "none");
  line("500 x Remove", "BM_RemoveThenGetIndex500", "<= 50 ms in all");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const zolbench::RealMedium written = zolbench::WriteRealMedium();
  medium = &written;
  {
    ::malloc_trim(0);
    const long before = ResidentBytes();
    auto toc = Load();
    if (!toc) {
      std::fprintf(stderr, "cannot load %s\n", written.toc.c_str());
      return 1;
    }
    residentGrowth = ResidentBytes() - before;
  }
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  PrintSummary(recorder);
  zolbench::RemoveRealMedium(written);
  benchmark::Shutdown();
  return 0;
}
