#include <string_view>
#include <vector>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "base/Message.h"
#include "foundation/OrderedSet.h"
#include "media/PlanMessages.h"
#include "media/PlanOutput.h"
#include "media/PlanRequest.h"

namespace {

constexpr unsigned long long kFailed = ~0ULL;

// The GA closure: plain prerequisites only, pass by pass, stopping at the first element that is
// not on the medium. `trace` is null when the trace is off.
class GAClosure {
 public:
  GAClosure(const ZOLINSMediaToc& toc, ZOLINSType type, const ZOLINSInstToc* inst,
            ZOLUnicodeString& msg, ZOLTrace* trace)
      : toc_(toc), type_(type), inst_(inst), msg_(msg), trace_(trace) {}

  // False when an element is missing or a list would overflow, with the message in `msg`.
  bool Run(const std::vector<std::string_view>& requested) {
    std::vector<std::string_view> toScan(requested);
    while (!toScan.empty()) {
      for (const std::string_view name : toScan)
        if (!Examine(name)) return false;
      toScan.assign(toScanAfter_.begin(), toScanAfter_.end());
      toScanAfter_ = zol::OrderedSet<std::string_view>();
    }
    return true;
  }
  const zol::OrderedSet<int>& ToInstall() const { return toInstall_; }

 private:
  bool Examine(std::string_view name) {
    const char* text = name.data();  // terminated: a request copy or a record's buffer
    if (trace_) trace_->TraPrint("---> %s\n", text);
    if (inst_ && inst_->IsInstalled(text, type_) == 0) return true;
    if (scanned_.Contains(name)) return true;
    const int index = toc_.GetIndex(text, type_);
    if (index < 0) {
      msg_.Append(zol::PrereqNotFoundMessage(text, type_));
      return false;
    }
    const ZOLINSUnitToc& record = *toc_.GetIiemeUnitToc(index);
    if (!Insert(toInstall_, toc_.GetIiemePrefixToc(index)->GetOrder())) return false;
    for (int i = 0; i < record.GetNbPrereq(); ++i)
      if (!Insert(toScanAfter_, std::string_view(record.GetPrereq(i)))) return false;
    if (!Insert(scanned_, name)) return false;
    if (trace_) trace_->TraPrint("Nb Prereq  :%d\n", record.GetNbPrereq());
    return true;
  }

  template <typename List, typename T>
  bool Insert(List& list, const T& value) {
    return zol::InsertOrReport(list, value, "GetSize.Error_nbtoinstall",
                               [this](const ZOLUnicodeString& error) { msg_.Append(error); });
  }

  const ZOLINSMediaToc& toc_;
  const ZOLINSType type_;
  const ZOLINSInstToc* const inst_;
  ZOLUnicodeString& msg_;
  ZOLTrace* const trace_;
  zol::OrderedSet<std::string_view> scanned_;
  zol::OrderedSet<std::string_view> toScanAfter_;
  zol::OrderedSet<int> toInstall_;
};

}  // namespace

unsigned long long ZOLINSMediaToc::GetSizeGA(char (*names)[ZOLINS_NAME_SIZE], unsigned int nb,
                                             const ZOLINSType type, unsigned int* nbToInstall,
                                             char (*&namesToInstall)[ZOLINS_NAME_SIZE],
                                             ZOLUnicodeString& msg, ZOLINSInstToc* inst,
                                             char** media) {
  ZOLTrace* trace = TraceOn() ? &Trace() : nullptr;
  const auto fail = [&] {
    if (trace) {
      trace->TraPrint("ZOLINSMediaToc::GetSizeGA Erreur = %s\n", msg.ConvertToChar());
      trace->TraPrint("ZOLINSMediaToc::GetSizeGA ----END  KO \n");
    }
    return kFailed;
  };
  if (trace) {
    trace->TraPrint("ZOLINSMediaToc::GetSizeGA: BEGIN \n");
    trace->TraPrint("ZOLINSMediaToc::GetSizeGA nbtoscan= %d\n", static_cast<int>(nb));
  }

  // Installing a GA level over part of itself is refused, naming every element already there.
  const zol::PlanRequest request(names, nb);
  bool installed = false;
  for (const std::string_view name : request.Names()) {
    if (trace) trace->TraPrint("-> %s\n", name.data());
    if (inst && inst->IsInstalled(name.data(), type) == 0) {
      msg.Append(zol::AlreadyInstalledMessage(name.data(), type));
      installed = true;
    }
  }
  if (installed) return fail();

  if (trace) trace->TraPrint("ZOLINSMediaToc::GetSizeGA: ------Begin for\n ");
  GAClosure closure(*this, type, inst, msg, trace);
  if (!closure.Run(request.Names())) return fail();
  if (trace) trace->TraPrint("ZOLINSMediaToc::GetSizeGA: ------End for \n");
  if (closure.ToInstall().empty()) {
    msg.Append(zol::kNothingToInstall);
    if (nbToInstall) *nbToInstall = 0;
    return fail();
  }

  unsigned long long total = 0;
  if (zol::WritePlan(*this, zol::SortedOrders(closure.ToInstall()), zol::SizeKind::FileSystem,
                     nbToInstall, namesToInstall, media, total) != zol::PlanWritten::Done) {
    msg.Append(zol::Message("GetSize.ErrorAlloc", "ZOLINSMediaToc::GetSizeGA : Allocation failed"));
    return fail();
  }
  if (trace) {
    const unsigned int count = static_cast<unsigned int>(closure.ToInstall().size());
    trace->TraPrint("ZOLINSMediaToc::GetSizeGA %d products to install\n ", static_cast<int>(count));
    for (unsigned int i = 0; i < count; ++i) trace->TraPrint("%s ", namesToInstall[i]);
    trace->TraPrint("\nZOLINSMediaToc::GetSizeGA total = %llu bytes \n", total);
    trace->TraPrint("ZOLINSMediaToc::GetSizeGA ----END \n");
  }
  return total;
}
