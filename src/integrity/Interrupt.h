#ifndef ZOLINS_INTEGRITY_INTERRUPT_H
#define ZOLINS_INTEGRITY_INTERRUPT_H

namespace zol {

// Whether SignalIntercept has caught an interrupt in this process. Safe to call from any thread.
bool InterruptCaught();

}  // namespace zol

#endif
