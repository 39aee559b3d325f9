#ifndef ZOLINS_MEDIA_PLAN_REQUEST_H
#define ZOLINS_MEDIA_PLAN_REQUEST_H

#include <array>
#include <string_view>
#include <vector>

#include "ZOLINSTypes.h"

namespace zol {

// The names of a planning request, each cut to 47 characters in a terminated buffer of its own,
// so that the working lists can hold views of them as they hold views of the records' names.
class PlanRequest {
 public:
  // No names when `names` is null.
  PlanRequest(const char (*names)[ZOLINS_NAME_SIZE], unsigned int nb);
  // The names in request order, duplicates kept; valid as long as the object.
  const std::vector<std::string_view>& Names() const { return views_; }

 private:
  std::vector<std::array<char, ZOLINS_NAME_SIZE>> copies_;
  std::vector<std::string_view> views_;
};

}  // namespace zol

#endif
