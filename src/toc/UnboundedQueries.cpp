#include "toc/UnboundedQueries.h"

#include <algorithm>
#include <cstring>

#include "base/Message.h"
#include "foundation/Names.h"
#include "foundation/StockFill.h"
#include "toc/InfoMessage.h"

namespace zol {
namespace {

// Calls visit(i) for each record i of `type` of which `entry(record, k)` for some k below
// `count(record)` equals `name`; a record is offered once, however often its list holds the name.
template <typename Count, typename Entry>
void EachListing(const ZOLINSToc& toc, const char* name, ZOLINSType type, const IndexVisitor& visit,
                 Count count, Entry entry) {
  if (!name) return;
  const char first = name[0];
  for (int i = 0; i < toc.GetNbToc(); ++i) {
    const ZOLINSUnitToc& record = *toc.GetIiemeUnitToc(i);
    if (record.GetType() != type) continue;
    const int n = count(record);
    for (int k = 0; k < n; ++k) {
      const char* listed = entry(record, k);
      if (listed[0] != first || std::strcmp(listed, name) != 0) continue;
      if (!visit(i)) return;
      break;
    }
  }
}

std::vector<int> Gather(void (*walk)(const ZOLINSToc&, const char*, ZOLINSType,
                                     const IndexVisitor&),
                        const ZOLINSToc& toc, const char* name, ZOLINSType type) {
  std::vector<int> found;
  walk(toc, name, type, [&found](int i) {
    found.push_back(i);
    return true;
  });
  return found;
}

}  // namespace

void EachSuperseding(const ZOLINSToc& toc, const char* name, ZOLINSType type,
                     const IndexVisitor& visit) {
  EachListing(
      toc, name, type, visit, [](const ZOLINSUnitToc& r) { return r.GetNbSupersede(); },
      [](const ZOLINSUnitToc& r, int k) { return r.GetSupersede(k); });
}

void EachPrerequing(const ZOLINSToc& toc, const char* name, ZOLINSType type,
                    const IndexVisitor& visit) {
  EachListing(
      toc, name, type, visit, [](const ZOLINSUnitToc& r) { return r.GetNbPrereq(); },
      [](const ZOLINSUnitToc& r, int k) { return r.GetPrereq(k); });
}

void EachIfrequing(const ZOLINSToc& toc, const char* name, ZOLINSType type,
                   const IndexVisitor& visit) {
  EachListing(
      toc, name, type, visit, [](const ZOLINSUnitToc& r) { return r.GetNbIfreq(); },
      [](const ZOLINSUnitToc& r, int k) { return r.GetIfreq(k)->GetUB(); });
}

std::vector<int> AllSuperseding(const ZOLINSToc& toc, const char* name, ZOLINSType type) {
  return Gather(EachSuperseding, toc, name, type);
}

std::vector<int> AllPrerequing(const ZOLINSToc& toc, const char* name, ZOLINSType type) {
  return Gather(EachPrerequing, toc, name, type);
}

std::vector<int> AllIfrequing(const ZOLINSToc& toc, const char* name, ZOLINSType type) {
  return Gather(EachIfrequing, toc, name, type);
}

void EachPackageName(const ZOLINSToc& toc, ZOLINSPkg package, ZOLINSType type, int visibleOnly,
                     const std::function<bool(const char*)>& visit) {
  NewNames met;
  for (int i = 0; i < toc.GetNbToc(); ++i) {
    const ZOLINSUnitToc& record = *toc.GetIiemeUnitToc(i);
    if (record.GetPackage() != package) continue;
    if (type != ZOLINS_UNKNOWNQ && record.GetType() != type) continue;
    if (visibleOnly == 1 && !toc.IsVisible(record.GetName())) continue;
    if (met.First(record.GetName()) && !visit(record.GetName())) return;
  }
}

std::vector<NameAndLabel> AllOfPackage(const ZOLINSToc& toc, ZOLINSPkg package, ZOLINSType type,
                                       int visibleOnly) {
  std::vector<NameAndLabel> found;
  EachPackageName(toc, package, type, visibleOnly, [&found](const char* name) {
    found.push_back({name, nullptr});
    return true;
  });
  const bool descending = package == ZOLINS_FIX;
  std::sort(found.begin(), found.end(), [descending](const NameAndLabel& a, const NameAndLabel& b) {
    const int order = std::strcmp(a.name, b.name);
    return descending ? order > 0 : order < 0;
  });
  for (NameAndLabel& entry : found) {
    const int index = LabelRecord(toc, entry.name, type);
    if (index < 0) {
      ReportUnlabelled(entry.name, type, false);
      return {};
    }
    entry.label = toc.GetIiemeUnitToc(index)->GetLabel();
  }
  return found;
}

int LabelRecord(const ZOLINSToc& toc, const char* name, ZOLINSType type) {
  if (type != ZOLINS_UNKNOWNQ) return toc.GetIndex(name, type);
  const int code = toc.GetIndex(name, ZOLINS_CODE);
  return code >= 0 ? code : toc.GetIndex(name, ZOLINS_RUX2);
}

void ReportUnlabelled(const char* name, ZOLINSType type, bool superseded) {
  if (superseded) {
    AppendInfo(
        Message("GetPackageOPT.Error", "ZOLINSToc::GetPackageOPT : internal error on %s\n", name));
  } else {
    AppendInfo(Message("GetPackage.Error",
                       "ZOLINSToc::GetPackage: internal error on %s for type %s\n", name,
                       TypeKeyword(type)));
  }
}

}  // namespace zol
