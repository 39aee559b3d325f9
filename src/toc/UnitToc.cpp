#include <cstring>
#include <ctime>
#include <string_view>
#include <tuple>
#include <utility>

#include "ZOLINSUnitToc.h"
#include "foundation/Names.h"

ZOLINSUnitToc::ZOLINSUnitToc() : arena_(nullptr) {
  Init();
}

ZOLINSUnitToc::~ZOLINSUnitToc() {
  Libere();
}

ZOLINSUnitToc::ZOLINSUnitToc(ZOLINSUnitToc&& other) noexcept : arena_(nullptr) {
  Init();
  *this = std::move(other);
}

namespace {
// Copies each field of `from` to its namesake in `to`, numbers, pointers and fixed texts alike
// (every field is plain data).
template <typename... Field>
void CopyFields(const std::tuple<Field&...>& to, const std::tuple<Field&...>& from) {
  std::apply(
      [&from](Field&... target) {
        std::apply([&](Field&... source) { (std::memcpy(&target, &source, sizeof target), ...); },
                   from);
      },
      to);
}
}  // namespace

ZOLINSUnitToc& ZOLINSUnitToc::operator=(ZOLINSUnitToc&& other) noexcept {
  if (this == &other) return *this;
  Libere();
  const auto fields = [](ZOLINSUnitToc& r) {
    return std::tie(r.type_, r.package_, r.name_, r.nbSupersede_, r.supersede_, r.nbPrereq_,
                    r.prereq_, r.nbIfreq_, r.ifreq_, r.nbLangSize_, r.langSizes_, r.sizefs_,
                    r.timestamp_, r.os_, r.gaLevel_, r.spkLevel_, r.maxSpkLevel_, r.hfxLevel_,
                    r.label_, r.arena_);
  };
  CopyFields(fields(*this), fields(other));
  // The lists have changed owner: the source forgets them.
  other.Reset();
  return *this;
}

void ZOLINSUnitToc::Init() {
  type_ = ZOLINS_CODE;
  package_ = ZOLINS_FWK;
  name_[0] = '\0';
  nbSupersede_ = nbPrereq_ = nbIfreq_ = nbLangSize_ = 0;
  supersede_ = nullptr;
  prereq_ = nullptr;
  ifreq_ = nullptr;
  langSizes_ = nullptr;
  sizefs_ = 0;
  timestamp_[0] = os_[0] = gaLevel_[0] = '\0';
  spkLevel_ = maxSpkLevel_ = hfxLevel_ = 0;
  label_ = nullptr;
}

void ZOLINSUnitToc::Reset() {
  nbSupersede_ = nbPrereq_ = nbIfreq_ = nbLangSize_ = 0;
  supersede_ = nullptr;
  prereq_ = nullptr;
  ifreq_ = nullptr;
  langSizes_ = nullptr;
  label_ = nullptr;
}

void ZOLINSUnitToc::Libere() {
  if (!arena_) {  // arena blocks are released with their table
    delete[] label_;
    delete[] ifreq_;
    delete[] prereq_;
    delete[] supersede_;
    delete[] langSizes_;
  }
  label_ = nullptr;
  ifreq_ = nullptr;
  prereq_ = nullptr;
  supersede_ = nullptr;
  langSizes_ = nullptr;
}

unsigned int ZOLINSUnitToc::GetLangSize(const int i) const {
  return langSizes_ && i >= 0 && i < nbLangSize_ ? langSizes_[i] : 0;
}

int ZOLINSUnitToc::SetMaxSPKLevel(const int level) {
  if (level > maxSpkLevel_) maxSpkLevel_ = level;
  return maxSpkLevel_;
}

char* ZOLINSUnitToc::GetBaseFWK() const {
  char* base = new char[ZOLINS_NAME_SIZE];
  const std::string_view name(name_);
  zol::CopyName(base, name.substr(0, name.rfind('.')));
  return base;
}

void ZOLINSUnitToc::SetTimestamp() {
  const std::time_t now = std::time(nullptr);
  struct tm local;
  if (now == static_cast<std::time_t>(-1) || !localtime_r(&now, &local)) return;
  char stamp[sizeof timestamp_];
  if (std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local) == 14)
    std::memcpy(timestamp_, stamp, sizeof stamp);
}
