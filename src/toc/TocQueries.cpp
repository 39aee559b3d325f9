#include <cstdlib>
#include <cstring>
#include <memory>

#include "ZOLINSCompar.h"
#include "ZOLINSToc.h"
#include "base/Message.h"
#include "foundation/Names.h"
#include "toc/InfoMessage.h"
#include "toc/TocStorage.h"

namespace {

template <typename Stock>
void SortNames(Stock* result, int (*compare)(const void*, const void*)) {
  if (result->GetNbName() > 1)
    std::qsort(result->GetName(0), static_cast<std::size_t>(result->GetNbName()), ZOLINS_NAME_SIZE,
               compare);
}

// Whether entry(0) .. entry(count - 1) of a record's list holds `name`.
template <typename Entry>
bool ListHolds(int count, Entry entry, const char* name) {
  for (int i = 0; name && i < count; ++i)
    if (std::strcmp(entry(i), name) == 0) return true;
  return false;
}

bool Supersedes(const ZOLINSUnitToc& record, const char* name) {
  return ListHolds(
      record.GetNbSupersede(), [&](int i) { return record.GetSupersede(i); }, name);
}

bool Listed(char (*names)[ZOLINS_NAME_SIZE], int count, const char* name) {
  return ListHolds(
      count, [&](int i) { return names[i]; }, name);
}

}  // namespace

template <typename Stock>
void ZOLINSToc::FillLabels(Stock* result, ZOLINSType type, bool superseded) const {
  for (int k = 0; k < result->GetNbName(); ++k) {
    const char* name = result->GetName(k);
    int index = GetIndex(name, type == ZOLINS_UNKNOWNQ ? ZOLINS_CODE : type);
    if (index < 0 && type == ZOLINS_UNKNOWNQ) index = GetIndex(name, ZOLINS_RUX2);
    if (index >= 0) {
      result->GetTabLabel()[k] = Record(index).GetLabel();
      continue;
    }
    if (superseded) {
      zol::AppendInfo(zol::Message("GetPackageOPT.Error",
                                   "ZOLINSToc::GetPackageOPT : internal error on %s\n", name));
    } else {
      zol::AppendInfo(zol::Message("GetPackage.Error",
                                   "ZOLINSToc::GetPackage: internal error on %s for type %s\n",
                                   name, zol::TypeKeyword(type)));
    }
    *result->GetNbNameAddress() = 0;
    return;
  }
}

template <typename Stock>
void ZOLINSToc::ListPackage(ZOLINSPkg package, ZOLINSType type, Stock* result,
                            int visibleOnly) const {
  if (!result) return;
  result->Reset();
  for (int i = 0; i < nbToc_; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (record.GetPackage() != package) continue;
    if (type != ZOLINS_UNKNOWNQ && record.GetType() != type) continue;
    if (visibleOnly == 1 && !IsVisible(record.GetName())) continue;
    result->AddName(record.GetName());
  }
  SortNames(result, package == ZOLINS_FIX ? ComparStringRevert : ComparString);
  FillLabels(result, type, false);
}

template <typename Stock>
void ZOLINSToc::ListSuperseded(char (*names)[ZOLINS_NAME_SIZE], int nbNames, Stock* result,
                               int all) const {
  if (!result) return;
  result->Reset();
  if (all) {
    for (int i = 0; i < nbToc_; ++i) {
      const ZOLINSUnitToc& record = Record(i);
      for (int s = 0; s < record.GetNbSupersede(); ++s) result->AddName(record.GetSupersede(s));
    }
  } else {
    for (int n = 0; names && n < nbNames; ++n) {
      const int index = GetIndex(names[n], ZOLINS_CODE);
      if (index < 0) continue;
      const ZOLINSUnitToc& record = Record(index);
      for (int s = 0; s < record.GetNbSupersede(); ++s) {
        if (!Listed(names, nbNames, record.GetSupersede(s)))
          result->AddName(record.GetSupersede(s));
      }
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
  result->Reset();
  auto superseding = std::make_unique<ZOLINSStockIndex>();
  GetSuperseding(name, ZOLINS_CODE, superseding.get());
  for (int i = 0; i < superseding->GetNbIndex(); ++i)
    result->AddName(Record(superseding->GetIndex(i)).GetName());
  SortNames(result, ComparString);
  FillLabels(result, ZOLINS_CODE, true);
}

template <typename Match>
void ZOLINSToc::CollectRecords(const ZOLINSType type, ZOLINSStockIndex* result, Match match) const {
  if (!result) return;
  result->Reset();
  for (int i = 0; i < nbToc_; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (record.GetType() == type && match(record)) result->AddIndex(i);
  }
}

int ZOLINSToc::GetOneSuperseding(const char* name, const ZOLINSType type) const {
  for (int i = 0; name && i < nbToc_; ++i) {
    const ZOLINSUnitToc& record = Record(i);
    if (record.GetType() == type && Supersedes(record, name)) return i;
  }
  return -1;
}

void ZOLINSToc::GetSuperseding(const char* name, const ZOLINSType type,
                               ZOLINSStockIndex* result) const {
  CollectRecords(type, result,
                 [name](const ZOLINSUnitToc& record) { return Supersedes(record, name); });
}

void ZOLINSToc::GetPrerequing(const char* name, const ZOLINSType type,
                              ZOLINSStockIndex* result) const {
  CollectRecords(type, result, [name](const ZOLINSUnitToc& record) {
    return ListHolds(
        record.GetNbPrereq(), [&](int i) { return record.GetPrereq(i); }, name);
  });
}

void ZOLINSToc::GetIfrequing(const char* name, const ZOLINSType type,
                             ZOLINSStockIndex* result) const {
  CollectRecords(type, result, [name](const ZOLINSUnitToc& record) {
    return ListHolds(
        record.GetNbIfreq(), [&](int i) { return record.GetIfreq(i)->GetUB(); }, name);
  });
}

int ZOLINSToc::Remove(const char* name, const ZOLINSType type, ZOLUnicodeString& message) {
  const int index = GetIndex(name, type);
  if (index < 0) {
    const char* keyword = zol::TypeKeyword(type);
    message =
        zol::CatalogueMessage("ZOLPelmo", "GetPackage.Error", {name ? name : "", keyword},
                              zol::Format("ZOLINSToc::Remove: %s %s: not found in %s\n",
                                          name ? name : "", keyword, fileName_ ? fileName_ : ""));
    return 0;
  }
  // The records after it move up one place; each list keeps exactly one owner.
  store_->records.erase(store_->records.begin() + index);
  --nbToc_;
  RecordsChanged();
  if (onRemove_) onRemove_(index);
  return 1;
}
