#include <string>

#include "ZOLINSUnitToc.h"
#include "foundation/Names.h"

namespace {

template <typename Entry>
void AppendNames(std::string& out, int count, Entry entry) {
  for (int i = 0; i < count; ++i) out.append(entry(i)).append(1, ' ');
  out += ':';
}

}  // namespace

int ZOLINSUnitToc::WriteLineToc(ZOLUnicodeString& line, ZOLUnicodeString& /*message*/) {
  std::string out;
  out.reserve(128 + (nbSupersede_ + nbPrereq_ + 2 * nbIfreq_) * 16);
  out.append(zol::TypeKeyword(type_)).append(1, ':');
  out.append(zol::PackageKeyword(package_)).append(1, ':');
  out.append(name_).append(1, ':');
  // A list freed by Libere keeps its count: its pointer says whether it is there.
  AppendNames(out, supersede_ ? nbSupersede_ : 0, [this](int i) { return GetSupersede(i); });
  AppendNames(out, prereq_ ? nbPrereq_ : 0, [this](int i) { return GetPrereq(i); });
  for (int i = 0; ifreq_ && i < nbIfreq_; ++i)
    out.append(ifreq_[i].GetPL()).append(1, '/').append(ifreq_[i].GetUB()).append(1, ' ');
  out += ':';
  // Sizes are written as signed numbers; the reader takes them back modulo 2^32.
  out.append(std::to_string(static_cast<int>(sizefs_))).append(1, ':');
  out.append(timestamp_).append(1, ':').append(os_).append(1, ':');
  out.append(gaLevel_).append(1, ':');
  out.append(std::to_string(spkLevel_)).append(1, ':');
  out.append(label_ ? label_ : "").append(1, ':');
  for (int i = 0; langSizes_ && i < nbLangSize_; ++i)
    out.append(std::to_string(static_cast<int>(langSizes_[i]))).append(1, ' ');
  if (nbLangSize_ > 0) out += ':';
  line = ZOLUnicodeString(std::move(out));
  return 1;
}
