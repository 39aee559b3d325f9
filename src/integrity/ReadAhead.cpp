#include "integrity/ReadAhead.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <system_error>

#include "integrity/FileSum.h"

namespace zol {

int CheckReaders() {
  if (const char* text = std::getenv("ZOL_CHECK_READERS")) {
    char* end = nullptr;
    const long readers = std::strtol(text, &end, 10);
    if (end != text && *end == '\0' && readers >= 1 && readers <= 256)
      return static_cast<int>(readers);
  }
  // Twice the processors: a read that waits for the device leaves its processor to another.
  const int processors = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(2 * processors, 2, 16);
}

std::vector<std::optional<std::uint32_t>> SumFiles(const std::vector<std::string>& paths,
                                                   int threads) {
  std::vector<std::optional<std::uint32_t>> sums(paths.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i = next++; i < paths.size(); i = next++) {
      // A path holding a NUL names no file; the system calls would see only a part of it.
      if (paths[i].find('\0') == std::string::npos)
        sums[i] = SumOfOpenFile(OpenRegularFile(paths[i]), nullptr);
    }
  };
  // Below this many files, threads cost more than they save.
  constexpr std::size_t kLongList = 64;
  std::vector<std::thread> pool;
  if (paths.size() >= kLongList) {
    try {
      for (int t = 1; t < threads; ++t) pool.emplace_back(work);
    } catch (const std::system_error&) {
      // Fewer threads: this one reads what the others do not.
    }
  }
  work();
  for (std::thread& thread : pool) thread.join();
  return sums;
}

SumReaders::SumReaders(int threads) {
  // The threads start with SIGINT blocked: the interrupt is the caller's to take, and a thread
  // of ours must never run the handler in the middle of a read.
  sigset_t interrupt, previous;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  pthread_sigmask(SIG_BLOCK, &interrupt, &previous);
  try {
    for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
  } catch (...) {
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    Stop();
    throw;
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

SumReaders::~SumReaders() {
  Stop();
}

void SumReaders::Stop() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  queued_.notify_all();
  for (std::thread& thread : threads_) {
    if (thread.joinable()) thread.join();
  }
}

std::size_t SumReaders::Submit(std::vector<std::string> paths) {
  std::size_t ticket;
  bool wake;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ticket = first_ + jobs_.size();
    for (std::string& path : paths) jobs_.push_back(Job{std::move(path), State::kWaiting, {}});
    wake = idle_ > 0 && !paths.empty();
  }
  // A wake-up costs a system call: only for threads that sleep.
  if (wake) queued_.notify_all();
  return ticket;
}

std::optional<ListedSum> SumReaders::Take(std::size_t ticket, const std::string& path) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (ticket != first_ || jobs_.empty() || jobs_.front().path != path) {
    lock.unlock();
    Drop(ticket);
    return std::nullopt;
  }
  const ListedSum result = Finish(lock, true).result;
  jobs_.pop_front();
  ++first_;
  return result;
}

void SumReaders::Drop(std::size_t ticket) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (ticket != first_ || jobs_.empty()) return;
  Finish(lock, false);
  jobs_.pop_front();
  ++first_;
}

std::size_t SumReaders::Pending() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return jobs_.size();
}

SumReaders::Job& SumReaders::Finish(std::unique_lock<std::mutex>& lock, bool run) {
  Job& job = jobs_.front();
  if (job.state == State::kWaiting) {
    job.state = State::kDone;
    if (run) {
      lock.unlock();
      job.result = SumListedFile(job.path);
      lock.lock();
    }
    return job;
  }
  ++waiting_;
  done_.wait(lock, [&job] { return job.state == State::kDone; });
  --waiting_;
  return job;
}

void SumReaders::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    ++idle_;
    queued_.wait(lock, [this] { return stop_ || started_ < first_ + jobs_.size(); });
    --idle_;
    if (stop_) return;
    started_ = std::max(started_, first_);
    Job& job = jobs_[started_++ - first_];
    if (job.state != State::kWaiting) continue;  // taken by the caller meanwhile
    job.state = State::kRunning;
    lock.unlock();
    ListedSum result = SumListedFile(job.path);
    lock.lock();
    job.result = result;
    job.state = State::kDone;
    // The caller only ever waits for the oldest job.
    if (waiting_ > 0 && &job == &jobs_.front()) done_.notify_all();
  }
}

}  // namespace zol
