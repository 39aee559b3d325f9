#include <csignal>
#include <type_traits>

#include "ZOLINSIntegrity.h"
#include "base/Message.h"
#include "integrity/Interrupt.h"
#include "integrity/Observer.h"

// Plain ints so that callers can declare them as such; on this platform that is what
// sig_atomic_t is, which makes them safe to write from a signal handler.
static_assert(std::is_same_v<std::sig_atomic_t, int>, "the interrupt flags must be sig_atomic_t");

volatile int _i_SignalIntercept_KillProcess = 0;
volatile int _i_SignalIntercept_SignalNum = 0;

void SignalIntercept(int signal) {
  // Only async-signal-safe work here: the walk polls the flags between elements.
  std::signal(SIGINT, SIG_DFL);
  // Lock-free atomic stores, so that the check's reading threads may poll the flag too.
  __atomic_store_n(&_i_SignalIntercept_SignalNum, signal, __ATOMIC_RELAXED);
  __atomic_store_n(&_i_SignalIntercept_KillProcess, 1, __ATOMIC_RELEASE);
}

namespace zol {

bool InterruptCaught() {
  // The flag is only ever set, from 0 to 1, by the handler; readers on other threads see the
  // change at their next poll.
  return __atomic_load_n(&_i_SignalIntercept_KillProcess, __ATOMIC_ACQUIRE) != 0;
}

}  // namespace zol

int CheckInterrupt(ZOLUnicodeString& report) {
  if (!zol::InterruptCaught()) return 0;
  const int signal = __atomic_load_n(&_i_SignalIntercept_SignalNum, __ATOMIC_RELAXED);
  if (signal != 0) {
    zol::AppendFinding(report,
                       zol::Message("CheckIntegrity.Interrupted",
                                    "CheckIntegrity has been interrupted (signal %d)", signal)
                           .str());
  } else {
    zol::AppendFinding(
        report,
        zol::Message("CheckIntegrity.Interrupted", "CheckIntegrity has been interrupted").str());
  }
  return 1;
}
