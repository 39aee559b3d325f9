#include "support/TocBuilder.h"

#include "toc/RecordLine.h"

namespace zoltest {

std::string E::Line() const {
  const std::string shown = label.empty() ? name + " label" : label;
  return type + ":" + package + ":" + name + ":" + supersede + ":" + prereq + ":" + ifreq + ":" +
         size + ":" + stamp + ":" + os + ":" + ga + ":" + spk + ":" + shown + ":" + langs;
}

std::string E::MediaLine(const std::string& medium, int order, unsigned archiveSize) const {
  return medium + ":" + std::to_string(order) + ":" + std::to_string(archiveSize) + ":" + Line();
}

std::string TocText(std::initializer_list<E> elements) {
  std::string text;
  for (const E& e : elements) text += e.Line() + "\n";
  return text;
}

int LoadPlainToc(ZOLINSToc& toc, const std::string& path, ZOLUnicodeString& message) {
  std::string copy(path);
  if (toc.Init(&copy[0], message) != 1) return -1;
  for (int i = 0; i < toc.GetNbToc(); ++i) {
    if (zol::ParseRecordLine(*toc.GetIiemeUnitToc(i), toc.GetLine(i), message) != 1) return -1;
  }
  if (toc.SetOS(message) == 0 || toc.SetGALevel(message) == 0) return -1;
  toc.SetSPKLevel();
  toc.SetHFXLevel();
  toc.SetHFXName();
  return 1;
}

}  // namespace zoltest
