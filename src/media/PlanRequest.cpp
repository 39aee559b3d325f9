#include "media/PlanRequest.h"

#include <cstring>

#include "foundation/Names.h"

namespace zol {

PlanRequest::PlanRequest(const char (*names)[ZOLINS_NAME_SIZE], unsigned int nb)
    : copies_(names ? nb : 0u) {
  views_.reserve(copies_.size());
  for (std::size_t i = 0; i < copies_.size(); ++i) {
    const char* name = names[i];
    CopyName(copies_[i].data(), std::string_view(name, strnlen(name, ZOLINS_NAME_SIZE - 1)));
    views_.emplace_back(copies_[i].data());
  }
}

}  // namespace zol
