#include "media/InstallClosure.h"

#include <memory>

#include "base/Message.h"
#include "foundation/Names.h"
#include "media/PlanMessages.h"
#include "toc/InfoMessage.h"

namespace zol {

InstallClosure::InstallClosure(const ZOLINSMediaToc& toc, ZOLINSType type, bool archiveMode,
                               const ZOLINSInstToc* inst, bool keepMet)
    : toc_(toc), type_(type), archiveMode_(archiveMode), inst_(inst), keepMet_(keepMet) {}

bool InstallClosure::Run(const std::vector<std::string_view>& requested) {
  std::vector<std::string_view> toScan(requested);
  while (!toScan.empty()) {
    for (const std::string_view name : toScan)
      if (!Examine(name)) return false;
    if (!ok_) return false;
    if (!FollowConditions()) return false;
    firstPass_ = false;
    toScan.assign(toScanAfter_.begin(), toScanAfter_.end());
    toScanAfter_ = OrderedSet<std::string_view>();
  }
  return true;
}

// Every name handled here is terminated: it views a request copy or a record's own buffer.
bool InstallClosure::Examine(std::string_view name) {
  const char* text = name.data();
  const int index = toc_.GetIndex(text, type_);
  if (keepMet_ && index >= 0 && !Insert(met_, OrderAt(index), "GetSize.Error_nbtoinstall"))
    return false;
  if (Installed(text)) {
    if (firstPass_) {
      AppendInfo(ZOLUnicodeString(Format("%s %s", text, TypeKeyword(type_))));
      AppendInfo(AlreadyInstalledMessage(text, type_));
    }
    return true;
  }
  if (scanned_.Contains(name)) return true;
  if (index < 0) {
    if (firstPass_) {
      AppendInfo(ProductNotFoundMessage(text, type_));
      ok_ = false;
    } else if (!archiveMode_) {
      AppendInfo(PrereqNotFoundMessage(text, type_));
      ok_ = false;
    }
    return MarkScanned(name);
  }
  const ZOLINSUnitToc& record = *toc_.GetIiemeUnitToc(index);
  return !Admissible(record) || Accept(name, index, record);
}

bool InstallClosure::Accept(std::string_view name, int index, const ZOLINSUnitToc& record) {
  if (!Insert(toInstall_, OrderAt(index), "GetSize.Error_nbtoinstall")) return false;
  for (int i = 0; i < record.GetNbIfreq(); ++i) {
    if (ifreq_.full()) {
      AppendInfo(InternalErrorMessage("GetSize.Error_nbifreq"));
      return false;
    }
    ifreq_.Add(record.GetIfreq(i));
  }
  for (int i = 0; i < record.GetNbPrereq(); ++i) {
    if (!Insert(toScanAfter_, std::string_view(record.GetPrereq(i)), "GetSize.Error_nbtoscanafter"))
      return false;
  }
  return MarkScanned(name);
}

bool InstallClosure::MarkScanned(std::string_view name) {
  if (!Insert(scanned_, name, "GetSize.Error_nbscanned2")) return false;
  scannedThisPass_.push_back(name);
  return true;
}

// A conditional prerequisite applies once its condition element is installed or has been
// examined; with archiveMode every one applies. The others wait for a later pass and are dropped
// when the closure ends.
bool InstallClosure::FollowConditions() {
  const auto holds = [this](const ZOLINSIfreq& entry) {
    return archiveMode_ || Installed(entry.GetPL()) || scanned_.Contains(entry.GetPL());
  };
  for (const ZOLINSIfreq* entry : ifreq_.TakeSatisfied(scannedThisPass_, holds)) {
    if (!Insert(toScanAfter_, std::string_view(entry->GetUB()), "GetSize.Error_nbtoscanafter3"))
      return false;
  }
  scannedThisPass_.clear();
  return true;
}

// A list that already holds its 4096 entries refuses any addition, even of an entry it holds.
template <typename List, typename T>
bool InstallClosure::Insert(List& list, const T& value, const char* key) {
  return InsertOrReport(list, value, key, [](const ZOLUnicodeString& error) { AppendInfo(error); });
}

bool InstallClosure::Admissible(const ZOLINSUnitToc& record) {
  if (firstPass_ && toc_.GetPrereqCheck() != 0 && !archiveMode_ && record.GetNbPrereq() > 0 &&
      !Installed(record.GetPrereq(0))) {
    AppendInfo(Message("GetSize.Msg_PrereqNotfound",
                       "%s which is a prerequisite of %s has not been found.\nThough you required "
                       "to install %s, it will not be installed.\nContinuing...",
                       record.GetPrereq(0), record.GetName(), record.GetName()));
    return false;
  }
  switch (record.GetPackage()) {
    case ZOLINS_SPK:
      return ServicePackAdmissible(record);
    case ZOLINS_FSP:
      return FixSetAdmissible(record);
    default:
      return true;
  }
}

bool InstallClosure::ServicePackAdmissible(const ZOLINSUnitToc& record) {
  if (!inst_) {
    AppendInfo(Message("GetSize.Msg_GANotfound",
                       "GA not found.\nThe correct GA must be installed before installing %s\n",
                       record.GetLabel()));
    ok_ = false;
    return false;
  }
  const int installedLevel = inst_->GetSPKLevel(1);
  if (record.GetSPKLevel() < installedLevel) {
    AppendInfo(Message("GetSize.Msg_LowerLevel",
                       "%s is lower than current Service Pack level:%d \n", record.GetLabel(),
                       installedLevel));
    ok_ = false;
    return false;
  }
  return true;
}

// A fix set older than what its framework already has is simply not needed.
bool InstallClosure::FixSetAdmissible(const ZOLINSUnitToc& record) {
  if (!inst_) {
    ok_ = false;
    return false;
  }
  const std::unique_ptr<char[]> framework(record.GetBaseFWK());
  return record.GetSPKLevel() >= inst_->GetMaxSPKLevel(framework.get(), type_);
}

bool InstallClosure::Installed(const char* name) const {
  return inst_ && inst_->IsInstalled(name, type_) != -1;
}

int InstallClosure::OrderAt(int index) const {
  return toc_.GetIiemePrefixToc(index)->GetOrder();
}

}  // namespace zol
