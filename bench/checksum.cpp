// Checksumming a cached file against merely reading it: the checksum should cost little more than
// the copy out of the page cache that any reader pays. Build with CMAKE_BUILD_TYPE=Release and run
// on an otherwise idle machine; the "ratio" counter of BM_CheckSumVersusReadLoop is the figure
// to watch (at least 0.8 against the read loop with the checksum's own buffer size).
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ZOLCheckSum.h"
#include "integrity/FileSum.h"

namespace {

constexpr std::size_t kFileSize = std::size_t{1} << 30;
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

// A 1 GiB file of random bytes in $TMPDIR (or /tmp), written once for the whole program and
// removed at exit. Writing it leaves it in the page cache; it is flushed to disk first, so that
// no writeback runs while the benchmarks do.
class CachedFile {
 public:
  static const CachedFile& Get() {
    static const CachedFile file;
    return file;
  }
  CachedFile(const CachedFile&) = delete;
  CachedFile& operator=(const CachedFile&) = delete;

  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }
  std::uint32_t sum() const { return sum_; }

 private:
  CachedFile() {
    const char* tmp = std::getenv("TMPDIR");
    path_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/zolbench-checksum.XXXXXX";
    const int fd = ::mkstemp(&path_[0]);
    if (fd < 0) return;
    std::vector<unsigned char> block(kBlockSize);
    std::mt19937 random(42);
    std::uint32_t blockSum = 0;
    for (unsigned char& byte : block) blockSum += byte = static_cast<unsigned char>(random());
    ok_ = true;
    for (std::size_t i = 0; ok_ && i < kFileSize / kBlockSize; ++i) {
      unsigned char& changed = block[i % kBlockSize];  // no two blocks alike
      blockSum -= changed;
      changed ^= 0x5a;
      blockSum += changed;
      sum_ += blockSum;
      ok_ = ::write(fd, block.data(), kBlockSize) == static_cast<ssize_t>(kBlockSize);
    }
    ok_ = ::fsync(fd) == 0 && ok_;
    ::close(fd);
  }
  ~CachedFile() { ::unlink(path_.c_str()); }

  std::string path_;
  std::uint32_t sum_ = 0;
  bool ok_ = false;
};

// A page-aligned buffer, as the checksum uses: the kernel copies into one markedly faster, so the
// read loop below is as fast as a plain read() loop gets.
class Buffer {
 public:
  explicit Buffer(std::size_t size)
      : data_(static_cast<char*>(std::aligned_alloc(4096, size))), size_(size) {}
  ~Buffer() { std::free(data_); }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  char* data() { return data_; }
  std::size_t size() const { return size_; }

 private:
  char* data_;
  std::size_t size_;
};

// Reads the whole file with a plain read() loop; the number of bytes read.
std::size_t ReadAll(const std::string& path, Buffer& buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  std::size_t total = 0;
  for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;) total += got;
  ::close(fd);
  benchmark::DoNotOptimize(buffer.data());
  return total;
}

template <typename Body>
double Seconds(const Body& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The read() loop with a buffer of state.range(0) bytes.
void BM_ReadLoop(benchmark::State& state) {
  const CachedFile& file = CachedFile::Get();
  if (!file.ok()) return state.SkipWithError("cannot write the file");
  Buffer buffer(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    if (ReadAll(file.path(), buffer) != kFileSize) state.SkipWithError("short read");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void BM_CalcCheckSum(benchmark::State& state) {
  const CachedFile& file = CachedFile::Get();
  if (!file.ok()) return state.SkipWithError("cannot write the file");
  std::string path = file.path();
  for (auto _ : state) {
    if (ZOLCalcCheckSum(path.data()) != file.sum()) state.SkipWithError("wrong checksum");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

// The read() loop (buffer of state.range(0) bytes) and the checksum in turn, so that both meet the
// same machine state; other load only slows a run down, so each one's fastest run counts.
// Counters: both speeds in GB/s and "ratio", the checksum's speed over the read loop's.
void BM_CheckSumVersusReadLoop(benchmark::State& state) {
  const CachedFile& file = CachedFile::Get();
  if (!file.ok()) return state.SkipWithError("cannot write the file");
  Buffer buffer(static_cast<std::size_t>(state.range(0)));
  std::string path = file.path();
  double bestRead = 1e9;
  double bestSum = 1e9;
  for (auto _ : state) {
    const double read = Seconds([&] { ReadAll(path, buffer); });
    const double sum = Seconds([&] { benchmark::DoNotOptimize(ZOLCalcCheckSum(path.data())); });
    state.SetIterationTime(read + sum);
    bestRead = std::min(bestRead, read);
    bestSum = std::min(bestSum, sum);
  }
  state.counters["read_GBps"] = kFileSize / bestRead / 1e9;
  state.counters["checksum_GBps"] = kFileSize / bestSum / 1e9;
  state.counters["ratio"] = bestRead / bestSum;
}

}  // namespace

BENCHMARK(BM_ReadLoop)
    ->Arg(zol::kFileSumChunk)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_CalcCheckSum)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CheckSumVersusReadLoop)
    ->Arg(zol::kFileSumChunk)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(3);
