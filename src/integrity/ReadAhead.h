#ifndef ZOLINS_INTEGRITY_READ_AHEAD_H
#define ZOLINS_INTEGRITY_READ_AHEAD_H

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "integrity/ElementWalk.h"

namespace zol {

// The number of threads that read listed files for a check: ZOL_CHECK_READERS when it holds a
// number from 1 to 256, else twice the processors (2 to 16). 1 means no thread at all: each file
// is read by the walk itself when it gets to it.
int CheckReaders();

// The checksums of the files at `paths`, in order; nothing for a file that cannot be read (as
// ZOLCalcCheckSum's 1). Long lists are read by `threads` threads at once, joined before returning.
std::vector<std::optional<std::uint32_t>> SumFiles(const std::vector<std::string>& paths,
                                                   int threads);

// Threads that open, read and sum listed files ahead of the one that reports on them. Files are
// submitted and handed back in the same order (tickets 0, 1, 2...); each is read by whichever
// thread gets to it first, the caller included when it asks for a file no thread has started.
// Nothing but the files is touched from the threads, and they are joined by the destructor.
class SumReaders {
 public:
  explicit SumReaders(int threads);  // std::system_error when no thread can be started
  ~SumReaders();
  SumReaders(const SumReaders&) = delete;
  SumReaders& operator=(const SumReaders&) = delete;

  // Queues the files, in order; returns the ticket of the first. One wake-up for all of them.
  std::size_t Submit(std::vector<std::string> paths);
  // The sum of the file of the oldest ticket not yet taken or dropped, which must be `ticket` and
  // name `path`; nothing (and the ticket dropped) when it names another file.
  std::optional<ListedSum> Take(std::size_t ticket, const std::string& path);
  // Gives up the oldest ticket, which must be `ticket`.
  void Drop(std::size_t ticket);
  // Files submitted and not yet taken or dropped.
  std::size_t Pending() const;

 private:
  enum class State { kWaiting, kRunning, kDone };
  struct Job {
    std::string path;
    State state = State::kWaiting;
    ListedSum result;
  };
  void Work();
  void Stop();  // ends and joins the threads
  // Waits until the oldest job is done, running it here when no thread has started it.
  Job& Finish(std::unique_lock<std::mutex>& lock, bool run);

  mutable std::mutex mutex_;
  std::condition_variable queued_;
  std::condition_variable done_;
  std::deque<Job> jobs_;     // references stay valid while jobs are added at the back
  std::size_t first_ = 0;    // the ticket of jobs_.front()
  std::size_t started_ = 0;  // the jobs before this ticket are running or done
  bool stop_ = false;
  int idle_ = 0;     // threads waiting for a job
  int waiting_ = 0;  // callers waiting for a job to be done
  std::vector<std::thread> threads_;
};

}  // namespace zol

#endif
