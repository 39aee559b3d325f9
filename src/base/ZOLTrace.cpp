#include "ZOLTrace.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// True when the comma-separated list `names` holds `name` or "all".
bool ListNames(std::string_view names, std::string_view name) {
  while (!names.empty()) {
    const std::size_t comma = names.find(',');
    std::string_view item = names.substr(0, comma);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (item == name || item == "all") return true;
    names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
  }
  return false;
}

}  // namespace

ZOLTrace::ZOLTrace(const char* name, const char* /*detail*/, int /*mode*/, const char* output,
                   int /*size*/) {
  const char* wanted = std::getenv("ZOL_TRACE");
  if (!name || !wanted || !ListNames(wanted, name)) return;
  if (!output || std::strcmp(output, "STDERR") == 0) {
    out_ = stderr;
  } else if (std::strcmp(output, "STDOUT") == 0) {
    out_ = stdout;
  } else {
    out_ = std::fopen(output, "a");
    ownsOut_ = out_ != nullptr;
  }
  active_ = out_ != nullptr;
}

ZOLTrace::~ZOLTrace() {
  if (ownsOut_) std::fclose(out_);
}

void ZOLTrace::TraPrint(const char* format, ...) {
  if (!active_) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(out_, format, args);
  va_end(args);
  std::fflush(out_);
}
