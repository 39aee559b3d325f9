#include <cstring>
#include <ctime>
#include <string_view>
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

ZOLINSUnitToc& ZOLINSUnitToc::operator=(ZOLINSUnitToc&& other) noexcept {
  if (this == &other) return *this;
  Libere();
  type_ = other.type_;
  package_ = other.package_;
  std::memcpy(name_, other.name_, sizeof name_);
  nbSupersede_ = other.nbSupersede_;
  supersede_ = other.supersede_;
  nbPrereq_ = other.nbPrereq_;
  prereq_ = other.prereq_;
  nbIfreq_ = other.nbIfreq_;
  ifreq_ = other.ifreq_;
  nbLangSize_ = other.nbLangSize_;
  langSizes_ = other.langSizes_;
  sizefs_ = other.sizefs_;
  std::memcpy(timestamp_, other.timestamp_, sizeof timestamp_);
  std::memcpy(os_, other.os_, sizeof os_);
  std::memcpy(gaLevel_, other.gaLevel_, sizeof gaLevel_);
  spkLevel_ = other.spkLevel_;
  maxSpkLevel_ = other.maxSpkLevel_;
  hfxLevel_ = other.hfxLevel_;
  label_ = other.label_;
  arena_ = other.arena_;
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
