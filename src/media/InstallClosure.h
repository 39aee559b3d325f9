#ifndef ZOLINS_MEDIA_INSTALL_CLOSURE_H
#define ZOLINS_MEDIA_INSTALL_CLOSURE_H

#include <string_view>
#include <vector>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "foundation/OrderedSet.h"
#include "media/PendingConditions.h"

namespace zol {

// The closure that GetSize computes: the elements of the medium to install for a request, with
// their prerequisites and the conditional prerequisites that apply, found pass by pass (each pass
// examines the names the previous one reached, so depth costs passes, never stack). Messages go
// to the information message.
class InstallClosure {
 public:
  // `inst` may be null (nothing installed). With `keepMet`, every element met on the medium is
  // kept as well.
  InstallClosure(const ZOLINSMediaToc& toc, ZOLINSType type, bool archiveMode,
                 const ZOLINSInstToc* inst, bool keepMet);

  // Runs the passes from the requested names (views that must outlive the call). False when a
  // name was refused, once every name of that pass is reported, or when a working list would
  // overflow.
  bool Run(const std::vector<std::string_view>& requested);
  // Order numbers of the elements to install, and of every element met, in first-seen order.
  const OrderedSet<int>& ToInstall() const { return toInstall_; }
  const OrderedSet<int>& Met() const { return met_; }

 private:
  // Each returns false on an internal error (its message reported).
  bool Examine(std::string_view name);
  bool Accept(std::string_view name, int index, const ZOLINSUnitToc& record);
  bool MarkScanned(std::string_view name);
  bool FollowConditions();
  template <typename List, typename T>
  bool Insert(List& list, const T& value, const char* key);

  // Whether an element found on the medium may be selected; when not, reports and refuses as
  // its package's rules say.
  bool Admissible(const ZOLINSUnitToc& record);
  bool ServicePackAdmissible(const ZOLINSUnitToc& record);
  bool FixSetAdmissible(const ZOLINSUnitToc& record);
  bool Installed(const char* name) const;
  int OrderAt(int index) const;

  const ZOLINSMediaToc& toc_;
  const ZOLINSType type_;
  const bool archiveMode_;
  const ZOLINSInstToc* const inst_;
  const bool keepMet_;
  bool firstPass_ = true;
  bool ok_ = true;
  OrderedSet<std::string_view> scanned_;
  OrderedSet<std::string_view> toScanAfter_;
  OrderedSet<int> toInstall_;
  OrderedSet<int> met_;
  PendingConditions ifreq_;
  // The names added to scanned_ in the current pass: the conditions they may fulfil.
  std::vector<std::string_view> scannedThisPass_;
};

}  // namespace zol

#endif
