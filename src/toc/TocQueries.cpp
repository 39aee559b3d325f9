#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_set>

#include "ZOLINSCompar.h"
#include "ZOLINSToc.h"
#include "base/Message.h"
#include "foundation/Names.h"
#include "foundation/StockFill.h"
#include "toc/InfoMessage.h"
#include "toc/TocState.h"
#include "toc/TocStorage.h"
#include "toc/UnboundedQueries.h"

namespace {

template <typename Stock>
void SortNames(Stock* result, int (*compare)(const void*, const void*)) {
  if (result->GetNbName() > 1)
    std::qsort(result->GetName(0), static_cast<std::size_t>(result->GetNbName()), ZOLINS_NAME_SIZE,
               compare);
}

// The given names of GetPackageOPT, each read up to its 48th byte.
std::unordered_set<std::string_view> GivenNames(char (*names)[ZOLINS_NAME_SIZE], int nbNames) {
  std::unordered_set<std::string_view> given;
  for (int n = 0; names && n < nbNames; ++n)
    given.emplace(names[n], ::strnlen(names[n], ZOLINS_NAME_SIZE));
  return given;
}

}  // namespace

template <typename Stock>
void ZOLINSToc::FillLabels(Stock* result, ZOLINSType type, bool superseded) const {
  for (int k = 0; k < result->GetNbName(); ++k) {
    const int index = zol::LabelRecord(*this, result->GetName(k), type);
    if (index >= 0) {
      result->GetTabLabel()[k] = Record(index).GetLabel();
      continue;
    }
    zol::ReportUnlabelled(result->GetName(k), type, superseded);
    *result->GetNbNameAddress() = 0;
    return;
  }
}

template <typename Stock>
void ZOLINSToc::ListPackage(ZOLINSPkg package, ZOLINSType type, Stock* result,
                            int visibleOnly) const {
  if (!result) return;
  zol::NameFill<Stock> fill(*result);
  zol::EachPackageName(*this, package, type, visibleOnly,
                       [&fill](const char* name) { return fill.Add(name); });
  SortNames(result, package == ZOLINS_FIX ? ComparStringRevert : ComparString);
  FillLabels(result, type, false);
}

template <typename Stock>
void ZOLINSToc::ListSuperseded(char (*names)[ZOLINS_NAME_SIZE], int nbNames, Stock* result,
                               int all) const {
  if (!result) return;
  zol::NameFill<Stock> fill(*result);
  zol::NewNames met;
  // False once the container is full: nothing more can be added.
  const auto offer = [&](const ZOLINSUnitToc& record) {
    for (int s = 0; s < record.GetNbSupersede(); ++s)
      if (met.First(record.GetSupersede(s)) && !fill.Add(record.GetSupersede(s))) return false;
    return true;
  };
  if (all) {
    for (int i = 0; i < d_->nbToc && offer(Record(i)); ++i) {
    }
  } else {
    // A given name is never listed: marking it met keeps it out.
    const std::unordered_set<std::string_view> given = GivenNames(names, nbNames);
    for (const std::string_view name : given) met.First(name);
    for (int n = 0; names && n < nbNames; ++n) {
      const int index = GetIndex(names[n], ZOLINS_CODE);
      if (index >= 0 && !offer(Record(index))) break;
    }
  }
  SortNames(result, ComparString);
  FillLabels(result, ZOLINS_CODE, true);
}

template void ZOLINSToc::ListPackage(ZOLINSPkg, ZOLINSType, ZOLINSStockNameInst*, int) const;
template void ZOLINSToc::ListSuperseded(char (*)[ZOLINS_NAME_SIZE], int, ZOLINSStockNameInst*,
                                        int) const;

void ZOLINSToc::GetPackage(const ZOLINSPkg package, const ZOLINSType type, ZOLINSStockName* result,
                           int visibleOnly) const {
  ListPackage(package, type, result, visibleOnly);
}

void ZOLINSToc::GetPackageOPT(char (*names)[ZOLINS_NAME_SIZE], int nbNames, ZOLINSStockName* result,
                              int all) const {
  ListSuperseded(names, nbNames, result, all);
}

void ZOLINSToc::GetPackageIncludingExtra(const char* name, ZOLINSStockName* result) const {
  if (!result) return;
  zol::NameFill<ZOLINSStockName> fill(*result);
  zol::NewNames met;
  int records = 0;  // the superseding records are taken as an index list holds them: 4096 at most
  zol::EachSuperseding(*this, name, ZOLINS_CODE, [&](int i) {
    const char* found = Record(i).GetName();
    if (met.First(found) && !fill.Add(found)) return false;
    return ++records < ZOLINS_STOCK_CAPACITY;
  });
  SortNames(result, ComparString);
  FillLabels(result, ZOLINS_CODE, true);
}

namespace {

void CollectRecords(void (*walk)(const ZOLINSToc&, const char*, ZOLINSType,
                                 const zol::IndexVisitor&),
                    const ZOLINSToc& toc, const char* name, ZOLINSType type,
                    ZOLINSStockIndex* result) {
  if (!result) return;
  zol::IndexFill fill(*result);
  walk(toc, name, type, [&fill](int i) { return fill.Add(i); });
}

}  // namespace

int ZOLINSToc::GetOneSuperseding(const char* name, const ZOLINSType type) const {
  int first = -1;
  zol::EachSuperseding(*this, name, type, [&first](int i) {
    first = i;
    return false;
  });
  return first;
}

void ZOLINSToc::GetSuperseding(const char* name, const ZOLINSType type,
                               ZOLINSStockIndex* result) const {
  CollectRecords(zol::EachSuperseding, *this, name, type, result);
}

void ZOLINSToc::GetPrerequing(const char* name, const ZOLINSType type,
                              ZOLINSStockIndex* result) const {
  CollectRecords(zol::EachPrerequing, *this, name, type, result);
}

void ZOLINSToc::GetIfrequing(const char* name, const ZOLINSType type,
                             ZOLINSStockIndex* result) const {
  CollectRecords(zol::EachIfrequing, *this, name, type, result);
}

int ZOLINSToc::Remove(const char* name, const ZOLINSType type, ZOLUnicodeString& message) {
  const int index = GetIndex(name, type);
  if (index < 0) {
    // "GetPackage.Error" is Remove's key as well: translated catalogues carry Remove's text under
    // it, so it is not renamed.
    const char* keyword = zol::TypeKeyword(type);
    message =
        zol::CatalogueMessage("ZOLPelmo", "GetPackage.Error", {name ? name : "", keyword},
                              zol::Format("ZOLINSToc::Remove: %s %s: not found in %s\n",
                                          name ? name : "", keyword, d_->fileName ? d_->fileName : ""));
    return 0;
  }
  // The records after it move up one place in the table order; none moves in memory.
  d_->store->Index().Remove(SlotOf(index));
  d_->store->Erase(index);
  --d_->nbToc;
  return 1;
}
