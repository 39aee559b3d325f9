#include "Queries.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "toc/UnboundedQueries.h"

namespace zolpy {
namespace {

const ZOLINSType kRecordTypes[] = {ZOLINS_CODE, ZOLINS_RUX2, ZOLINS_DOCUMENTATION, ZOLINS_SAMPLES};

// Records of one package and type, one per name, in name order. (The library sorts FIX names the
// other way, but no TOC line carries that package.) Walked here rather than through
// zol::EachPackageName, which answers names: the first record of a name in this package is not
// always the table's first record of that name and type (a medium may list a name twice).
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

// One of the library's listing walks, for `type` or, when none, for every record type merged in
// table order.
using Walk = std::vector<int> (*)(const ZOLINSToc&, const char*, ZOLINSType);
std::vector<int> Listing(Walk walk, const ZOLINSToc& toc, const std::string& name,
                         std::optional<ZOLINSType> type) {
  if (type) return walk(toc, name.c_str(), *type);
  std::vector<int> out;
  for (ZOLINSType each : kRecordTypes) {
    const std::vector<int> some = walk(toc, name.c_str(), each);
    out.insert(out.end(), some.begin(), some.end());
  }
  std::sort(out.begin(), out.end());
  return out;
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
  return Listing(zol::AllSuperseding, toc, name, type);
}

std::vector<int> RequiringRecords(const ZOLINSToc& toc, const std::string& name,
                                  std::optional<ZOLINSType> type) {
  return Listing(zol::AllPrerequing, toc, name, type);
}

std::vector<int> ConditionallyRequiringRecords(const ZOLINSToc& toc, const std::string& name,
                                               std::optional<ZOLINSType> type) {
  return Listing(zol::AllIfrequing, toc, name, type);
}

}  // namespace zolpy
