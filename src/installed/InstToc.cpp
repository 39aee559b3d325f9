#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_set>

#include "ZOLINSCompar.h"
#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "base/Message.h"
#include "foundation/Names.h"

struct ZOLINSInstToc::State {
  // Membership of each list, for lookups in constant time; the views point into tabNameInst.
  std::unordered_set<std::string_view> members[6];
};

ZOLINSInstToc::ZOLINSInstToc() : i_(new State) {
  std::memset(nbNameInst, 0, sizeof nbNameInst);
}

ZOLINSInstToc::~ZOLINSInstToc() = default;

int ZOLINSInstToc::InitInst(char* path, ZOLUnicodeString& msg) {
  for (int list = 0; list < 6; ++list) {
    nbNameInst[list] = 0;
    i_->members[list].clear();
  }
  if (Init(path, msg) != 1) return -1;
  if (LoadRecordsAndLists(path, msg) == 1) return 1;
  FailLoad();
  return -1;
}

int ZOLINSInstToc::LoadRecordsAndLists(const char* path, ZOLUnicodeString& msg) {
  if (ParseRecords(msg, "ZOLINSInstToc: Init of line number %d from %s failed\n", nullptr,
                   nullptr) != 1)
    return -1;
  if (SetOS(msg) == 0) return -1;
  Trace().TraPrint("ZOLINSInstToc::ZOLINSInstToc OS = %s\n", GetOS());
  if (SetGALevel(msg) == 0) return -1;
  Trace().TraPrint("ZOLINSInstToc::ZOLINSInstToc GALevel = %s\n", GetGALevel());
  SetSPKLevel();
  Trace().TraPrint("ZOLINSInstToc::ZOLINSInstToc SPKLevel = %d\n", GetSPKLevel(1));
  SetHFXLevel();
  SetHFXName();
  if (BuildLists(path, msg) != 1 || RaiseFrameworkLevels(msg) != 1) return -1;
  Trace().TraPrint("ZOLINSInsToc::ZOLINSInsToc END\n ");
  return 1;
}

bool ZOLINSInstToc::AddInstalledName(int list, const char* name) {
  if (i_->members[list].count(name)) return true;
  if (nbNameInst[list] >= ZOLINS_STOCK_CAPACITY) return false;
  char* slot = tabNameInst[list][nbNameInst[list]++];
  zol::CopyName(slot, name);
  i_->members[list].insert(slot);
  return true;
}

int ZOLINSInstToc::BuildLists(const char* path, ZOLUnicodeString& msg) {
  const int count = GetNbToc();
  // Names the record that does not fit: its line, the name it adds and that name's type.
  auto full = [&](int i, const char* name, bool superseded) {
    const int type = GetIiemeUnitToc(i)->GetType();
    msg = zol::Message("ZOLINSInstToc.Error_ListFull",
                       "ZOLINSInstToc: line number %d from %s: no room for %s, more than %d %s %s "
                       "names\n",
                       i + 1, path, name, static_cast<int>(ZOLINS_STOCK_CAPACITY),
                       superseded ? "superseded" : "installed", ZOLINSTypeKeyword[type]);
    return -1;
  };
  for (int i = 0; i < count; ++i) {
    const ZOLINSUnitToc* record = GetIiemeUnitToc(i);
    if (!AddInstalledName(record->GetType(), record->GetName()))
      return full(i, record->GetName(), false);
  }
  const int installed = nbNameInst[ZOLINS_CODE] + nbNameInst[ZOLINS_RUX2] +
                        nbNameInst[ZOLINS_DOCUMENTATION] + nbNameInst[ZOLINS_SAMPLES];
  if (installed != count) {
    msg = zol::Message("ZOLINSInstToc.Error_Duplicate", "ZOLINSInstToc:Duplicate entry in %s\n",
                       path);
    return -1;
  }
  TraceList("ZOLINSInstToc::ZOLINSInstToc: %d objets installes\n", ZOLINS_CODE);
  TraceList("ZOLINSInstToc::ZOLINSInstToc: %d objets docinstalles\n", ZOLINS_DOCUMENTATION);
  TraceList("ZOLINSInstToc::ZOLINSInstToc: %d objets rux installes\n", ZOLINS_RUX2);

  for (int i = 0; i < count; ++i) {
    const ZOLINSUnitToc* record = GetIiemeUnitToc(i);
    const int list = 3 + record->GetType();
    if (list > 5) continue;  // samples supersede nothing that is tracked
    for (int s = 0; s < record->GetNbSupersede(); ++s)
      if (!AddInstalledName(list, record->GetSupersede(s)))
        return full(i, record->GetSupersede(s), true);
  }
  // Sorting moves the names: their memberships are taken again afterwards.
  std::qsort(tabNameInst[3], static_cast<std::size_t>(nbNameInst[3]), ZOLINS_NAME_SIZE,
             ComparString2);
  i_->members[3].clear();
  for (int i = 0; i < nbNameInst[3]; ++i) i_->members[3].insert(tabNameInst[3][i]);
  TraceList("ZOLINSInstToc::ZOLINSInstToc: %d extra_products de code\n", 3);
  return 1;
}

int ZOLINSInstToc::RaiseFrameworkLevels(ZOLUnicodeString& msg) {
  for (int i = 0; i < GetNbToc(); ++i) {
    const ZOLINSUnitToc* fixSet = GetIiemeUnitToc(i);
    if (fixSet->GetPackage() != ZOLINS_FSP) continue;
    const std::unique_ptr<char[]> base(fixSet->GetBaseFWK());
    const int framework = GetIndex(base.get(), fixSet->GetType());
    if (framework < 0) {
      msg = zol::Message("ZOLINSInstToc.Error_NoFramework",
                         "ZOLINSInsToc: Np Framework associated with %s\n", fixSet->GetName());
      return -1;
    }
    GetIiemeUnitToc(framework)->SetMaxSPKLevel(fixSet->GetSPKLevel());
  }
  return 1;
}

void ZOLINSInstToc::TraceList(const char* heading, int list) const {
  if (!TraceOn()) return;
  Trace().TraPrint(heading, nbNameInst[list]);
  for (int i = 0; i < nbNameInst[list]; ++i) Trace().TraPrint("%s\n", tabNameInst[list][i]);
}

int ZOLINSInstToc::IsInstalled(const char* name, ZOLINSType type) const {
  if (!name || type < 0 || type > 5) return -1;
  return i_->members[type].count(name) ? 0 : -1;
}

int ZOLINSInstToc::IsInstalledLookDocLp(char* name, ZOLINSMediaToc* media) {
  if (!name || !media) return -1;
  if (IsInstalled(name, ZOLINS_DOCUMENTATION) == -1) return -1;
  const int count = media->GetNbPrereqOf(name);
  if (count == -1) return -1;
  for (int i = 0; i < count; ++i) {
    char prereq[256] = {};
    media->GetIiemePrereqOf(name, i, prereq);
    if (IsInstalled(prereq, ZOLINS_DOCUMENTATION) == -1) return -1;
  }
  return 0;
}

int ZOLINSInstToc::GetMaxSPKLevel(const char* name, ZOLINSType type) const {
  const int index = GetIndex(name, type);
  return index < 0 ? -1 : GetIiemeUnitToc(index)->GetMaxSPKLevel();
}

void ZOLINSInstToc::GetPackageInst(const ZOLINSPkg pkg, const ZOLINSType type,
                                   ZOLINSStockNameInst* out, int visibleOnly) const {
  ListPackage(pkg, type, out, visibleOnly);
}

void ZOLINSInstToc::GetPackageInstOPT(char (*names)[ZOLINS_NAME_SIZE], int nb,
                                      ZOLINSStockNameInst* out) const {
  ListSuperseded(names, nb, out, 0);
}

int ZOLINSInstToc::GetNbNameInst(ZOLINSType list) const {
  return list >= 0 && list < 6 ? nbNameInst[list] : 0;
}

const char* ZOLINSInstToc::GetIiemeNameInst(ZOLINSType list, int i) const {
  if (list < 0 || list >= 6 || i < 0 || i >= nbNameInst[list]) return nullptr;
  return tabNameInst[list][i];
}
