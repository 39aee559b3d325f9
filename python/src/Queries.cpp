#include "Queries.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace zolpy {
namespace {

const ZOLINSType kRecordTypes[] = {ZOLINS_CODE, ZOLINS_RUX2, ZOLINS_DOCUMENTATION, ZOLINS_SAMPLES};

// Records of one package and type, one per name, in name order. (The library sorts FIX names the
// other way, but no TOC line carries that package.)
void AddPackageRecords(const ZOLINSToc& toc, ZOLINSPkg package, ZOLINSType type, bool visibleOnly,
                       std::vector<int>& out) {
  std::unordered_set<std::string> seen;
  std::vector<int> found;
  for (int i = 0; i < toc.GetNbToc(); ++i) {
    const ZOLINSUnitToc& record = *toc.GetIiemeUnitToc(i);
    if (record.GetPackage() != package || record.GetType() != type) continue;
    if (visibleOnly && !toc.IsVisible(record.GetName())) continue;
    if (seen.insert(record.GetName()).second) found.push_back(i);
  }
  const auto name = [&](int i) { return toc.GetIiemeUnitToc(i)->GetName(); };
  std::sort(found.begin(), found.end(),
            [&](int a, int b) { return std::strcmp(name(a), name(b)) < 0; });
  out.insert(out.end(), found.begin(), found.end());
}

template <typename Match>
std::vector<int> Matching(const ZOLINSToc& toc, std::optional<ZOLINSType> type, Match match) {
  std::vector<int> out;
  for (int i = 0; i < toc.GetNbToc(); ++i) {
    const ZOLINSUnitToc& record = *toc.GetIiemeUnitToc(i);
    if ((!type || record.GetType() == *type) && match(record)) out.push_back(i);
  }
  return out;
}

// Whether entry(0) .. entry(count - 1) is `name`.
template <typename Entry>
bool Holds(int count, Entry entry, const std::string& name) {
  for (int i = 0; i < count; ++i)
    if (name == entry(i)) return true;
  return false;
}

}  // namespace

std::vector<int> PackageRecords(const ZOLINSToc& toc, ZOLINSPkg package,
                                std::optional<ZOLINSType> type, bool visibleOnly) {
  std::vector<int> out;
  if (type) {
    AddPackageRecords(toc, package, *type, visibleOnly, out);
  } else {
    for (ZOLINSType each : kRecordTypes) AddPackageRecords(toc, package, each, visibleOnly, out);
  }
  return out;
}

std::vector<int> SupersedingRecords(const ZOLINSToc& toc, const std::string& name,
                                    std::optional<ZOLINSType> type) {
  return Matching(toc, type, [&](const ZOLINSUnitToc& r) {
    return Holds(
        r.GetNbSupersede(), [&](int i) { return r.GetSupersede(i); }, name);
  });
}

std::vector<int> RequiringRecords(const ZOLINSToc& toc, const std::string& name,
                                  std::optional<ZOLINSType> type) {
  return Matching(toc, type, [&](const ZOLINSUnitToc& r) {
    return Holds(
        r.GetNbPrereq(), [&](int i) { return r.GetPrereq(i); }, name);
  });
}

std::vector<int> ConditionallyRequiringRecords(const ZOLINSToc& toc, const std::string& name,
                                               std::optional<ZOLINSType> type) {
  return Matching(toc, type, [&](const ZOLINSUnitToc& r) {
    return Holds(
        r.GetNbIfreq(), [&](int i) { return r.GetIfreq(i)->GetUB(); }, name);
  });
}

}  // namespace zolpy
