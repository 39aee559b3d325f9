#ifndef ZOL_TRACE_H
#define ZOL_TRACE_H

#include <cstdio>
#include <string>

#include "ZOLINSExport.h"

// A debug trace. It is active when ZOL_TRACE (a comma-separated list of trace names, or "all")
// names it at the time it is built.
class ZOLINS_EXPORT ZOLTrace {
 public:
  // `output` is "STDERR", "STDOUT" or the path of a file that lines are appended to. `detail`,
  // `mode` and `size` are accepted for compatibility.
  ZOLTrace(const char* name, const char* detail, int mode, const char* output, int size);
  ~ZOLTrace();
  ZOLTrace(const ZOLTrace&) = delete;
  ZOLTrace& operator=(const ZOLTrace&) = delete;

  // 1 when active, else 0.
  int IsActive() const { return active_ ? 1 : 0; }
  // Prints a formatted text when the trace is active; nothing otherwise.
  void TraPrint(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  bool active_ = false;
  std::FILE* out_ = nullptr;
  bool ownsOut_ = false;
};

#endif
