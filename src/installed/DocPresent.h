#ifndef ZOLINS_INSTALLED_DOC_PRESENT_H
#define ZOLINS_INSTALLED_DOC_PRESENT_H

#include <memory>

#include "ZOLINSInstToc.h"
#include "ZOLINSStock.h"

namespace zol {

// What SetDocPresentFile remembers of PRESENT. The labels of the two lists point into the records
// of instToc, so the three are replaced together. Released when the process ends.
struct DocPresent {
  std::unique_ptr<ZOLINSInstToc> instToc;
  std::unique_ptr<ZOLINSStockName> tabPDODoc;  // visible documentation PDO elements
  int nbPDODoc = 0;
  std::unique_ptr<ZOLINSStockName> tabFWKDoc;  // documentation frameworks, sorted
  int nbFWKDoc = 0;
};

DocPresent& DocPresentState();

// True when `name` is a documentation product (".prd") among the visible PDO elements remembered.
bool IsRecordedDocProduct(const char* name);

}  // namespace zol

#endif
