#include "installed/RecordFailure.h"

namespace zol {

const char* RecordFailureReason(int code) {
  switch (code) {
    case -10:
      return "the media TOC cannot be opened";
    case -300:
      return "the media TOC has no line for this element";
    case -100:
      return "PRESENT cannot be opened for reading";
    case -101:
      return "PRESENT has no documentation line for this element";
    case -102:
      return "no media TOC was loaded";
    case -104:
      return "the documentation line in PRESENT has too few fields";
    case -105:
    case -107:
    case -108:
      return "PRESENT cannot be read";
    case -106:
    case -110:
      return "out of memory";
    case -109:
      return "the documentation line changed while it was updated";
    case -111:
      return "PRESENT cannot be replaced (temporary file not created)";
    case -112:
      return "PRESENT was not written whole";
    case -200:
      return "PRESENT cannot be opened for appending";
    default:
      return "failed";
  }
}

}  // namespace zol
