#include "installed/QueryState.h"

namespace zol {

QueryState& Queries() {
  static QueryState state;
  return state;
}

}  // namespace zol
