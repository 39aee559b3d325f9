#include <cstdint>
#include <cstring>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "base/Message.h"
#include "media/InstallClosure.h"
#include "media/PlanMessages.h"
#include "media/PlanOutput.h"
#include "media/PlanRequest.h"
#include "toc/InfoMessage.h"

namespace {

// Says the message `key` (default text `format`, given the media's value then the installation's)
// when the two values differ.
bool SameValue(const char* media, const char* installed, const char* key, const char* format) {
  if (std::strncmp(media, installed, 8) == 0) return true;
  zol::AppendInfo(zol::Message(key, format, media, installed));
  return false;
}

// Data built for another operating system or GA level may not go onto this installation.
bool SameBase(ZOLINSMediaToc& media, ZOLINSInstToc& inst) {
  return SameValue(media.GetOS(), inst.GetOS(), "GetSize.Error_BadOS",
                   "Invalid Media: it's forbidden to install %s operating system data onto %s "
                   "operating system installation\n") &&
         SameValue(media.GetGALevel(), inst.GetGALevel(), "GetSize.Error_BadGALevel",
                   "Invalid Media: it's forbidden to install %s GA level data onto %s GA level "
                   "installation\n");
}

// The archives are sized in kilobytes started; installed code needs 400 more for its own files.
int FinalSize(std::uint32_t total, bool archiveMode, ZOLINSType type) {
  if (total == 0) return 0;
  if (archiveMode) return static_cast<int>(total / 1024 + 1);
  return static_cast<int>(type == ZOLINS_CODE ? total + 400u : total);
}

}  // namespace

int ZOLINSMediaToc::GetSize(char (*names)[ZOLINS_NAME_SIZE], unsigned int nb, const ZOLINSType type,
                            const int archiveMode, unsigned int* nbToInstall,
                            char (*&namesToInstall)[ZOLINS_NAME_SIZE], ZOLINSInstToc* inst,
                            char** media, unsigned int* nbMet, char*** namesMet) {
  if (inst && !SameBase(*this, *inst)) return -1;

  const zol::PlanRequest request(names, nb);
  zol::InstallClosure closure(*this, type, archiveMode != 0, inst, nbMet != nullptr);
  if (!closure.Run(request.Names())) return -1;
  if (closure.ToInstall().empty()) {
    zol::AppendInfo(zol::kNothingToInstall);
    if (nbToInstall) *nbToInstall = 0;
    return 0;
  }

  unsigned long long total = 0;
  const zol::SizeKind kind = archiveMode ? zol::SizeKind::Archive : zol::SizeKind::FileSystem;
  switch (zol::WritePlan(*this, zol::SortedOrders(closure.ToInstall()), kind, nbToInstall,
                         namesToInstall, media, total)) {
    case zol::PlanWritten::NamesFailed:
      zol::AppendInfo(" ZOLInsMediaToc =  Allocation TabName  failed \n");
      return -1;
    case zol::PlanWritten::MediaFailed:
      zol::AppendInfo(" ZOLInsMediaToc =  Allocation TabMedia  failed \n");
      return -1;
    case zol::PlanWritten::Done:
      break;
  }
  if (nbMet) {
    const std::vector<int> met = zol::SortedOrders(closure.Met());
    if (!met.empty() && namesMet && !zol::WriteMetNames(*this, met, namesMet)) {
      zol::AppendInfo(zol::InternalErrorMessage("GetSize.Error_nbtoinstall"));
      return -1;
    }
    *nbMet = static_cast<unsigned int>(met.size());
  }
  // The sum wraps at 32 bits, as the result has always been sized.
  return FinalSize(static_cast<std::uint32_t>(total), archiveMode != 0, type);
}
