#include "integrity/Observer.h"

#include <string>

namespace {

struct Observer {
  ZOLINSCheckProgressFn progress = nullptr;
  ZOLINSCheckFindingFn finding = nullptr;
  void* context = nullptr;
};

Observer& CurrentObserver() {
  static Observer observer;
  return observer;
}

}  // namespace

void ZOLINSSetCheckObserver(ZOLINSCheckProgressFn progress, ZOLINSCheckFindingFn finding,
                            void* context) {
  CurrentObserver() = Observer{progress, finding, context};
}

namespace zol {

void AppendFinding(ZOLUnicodeString& report, std::string_view entry) {
  report.str().append(entry);
  const Observer& observer = CurrentObserver();
  if (observer.finding) observer.finding(std::string(entry).c_str(), observer.context);
}

void ReportProgress(const ZOLINSCheckProgress& progress) {
  const Observer& observer = CurrentObserver();
  if (observer.progress) observer.progress(&progress, observer.context);
}

}  // namespace zol
