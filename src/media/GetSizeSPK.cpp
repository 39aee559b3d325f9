#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "base/Message.h"
#include "foundation/OrderedSet.h"
#include "media/IfreqKey.h"
#include "media/PlanMessages.h"
#include "media/PlanOutput.h"

namespace {

constexpr unsigned long long kFailed = ~0ULL;

// Adds `value` unless the list already holds its 4096 entries; then reports, false.
template <typename List, typename T>
bool Insert(List& list, const T& value, ZOLUnicodeString& msg) {
  return zol::InsertOrReport(list, value, "GetSize.Error_nbtoinstall",
                             [&msg](const ZOLUnicodeString& error) { msg.Append(error); });
}

}  // namespace

// A service pack brings along the required element of each conditional prerequisite whose
// condition is installed; a service pack or required element missing from the medium fails the
// call, since installing without it would leave the installation inconsistent.
unsigned long long ZOLINSMediaToc::GetSizeSPK(char* name, const ZOLINSType type,
                                              unsigned int* nbToInstall,
                                              char (*&namesToInstall)[ZOLINS_NAME_SIZE],
                                              ZOLUnicodeString& msg, ZOLINSInstToc* inst,
                                              char** media) {
  if (!inst || !name) return kFailed;
  if (inst->IsInstalled(name, type) == 0) {
    msg = zol::AlreadyInstalledMessage(name, type);
    return kFailed;
  }
  const int index = GetIndex(name, type);
  if (index < 0) {
    msg.Append(zol::ProductNotFoundMessage(name, type));
    return kFailed;
  }
  zol::OrderedSet<int> toInstall;
  zol::OrderedSet<const ZOLINSIfreq*, zol::IfreqHash, zol::IfreqEqual> ifreq;
  const ZOLINSUnitToc& servicePack = *GetIiemeUnitToc(index);
  if (!Insert(toInstall, GetIiemePrefixToc(index)->GetOrder(), msg)) return kFailed;
  for (int i = 0; i < servicePack.GetNbIfreq(); ++i)
    if (!Insert(ifreq, static_cast<const ZOLINSIfreq*>(servicePack.GetIfreq(i)), msg))
      return kFailed;

  for (const ZOLINSIfreq* entry : ifreq) {
    if (inst->IsInstalled(entry->GetPL(), type) != 0 ||
        inst->IsInstalled(entry->GetUB(), type) != -1)
      continue;
    const int required = GetIndex(entry->GetUB(), type);
    if (required < 0) {
      msg.Append(zol::PrereqNotFoundMessage(entry->GetUB(), type));
      return kFailed;
    }
    if (!Insert(toInstall, GetIiemePrefixToc(required)->GetOrder(), msg)) return kFailed;
  }
  if (toInstall.empty()) {  // kept for safety: the service pack itself is always there
    msg.Append(zol::kNothingToInstall);
    if (nbToInstall) *nbToInstall = 0;
    return kFailed;
  }

  unsigned long long total = 0;
  if (zol::WritePlan(*this, zol::SortedOrders(toInstall), zol::SizeKind::FileSystem, nbToInstall,
                     namesToInstall, media, total) != zol::PlanWritten::Done) {
    msg.Append(
        zol::Message("GetSize.ErrorAlloc", "ZOLINSMediaToc::GetSizeSPK : Allocation failed"));
    return kFailed;
  }
  return total;
}
