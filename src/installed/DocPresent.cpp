#include "installed/DocPresent.h"

#include <cstring>
#include <new>
#include <string>

#include "ZOLINSPresent.h"
#include "base/Message.h"
#include "foundation/Names.h"

namespace zol {

DocPresent& DocPresentState() {
  static DocPresent state;
  return state;
}

bool IsRecordedDocProduct(const char* name) {
  if (!name || !std::strstr(name, ".prd")) return false;
  DocPresent& doc = DocPresentState();
  for (int i = 0; i < doc.nbPDODoc; ++i)
    if (std::strcmp(doc.tabPDODoc->GetName(i), name) == 0) return true;
  return false;
}

}  // namespace zol

int SetDocPresentFile(const char* presentPath) {
  // The new table is loaded beside the remembered one, which a failure leaves in place.
  std::unique_ptr<ZOLINSInstToc> toc(new (std::nothrow) ZOLINSInstToc);
  auto pdo = std::unique_ptr<ZOLINSStockName>(new (std::nothrow) ZOLINSStockName);
  auto fwk = std::unique_ptr<ZOLINSStockName>(new (std::nothrow) ZOLINSStockName);
  ZOLUnicodeString msg;
  std::string path(presentPath ? presentPath : "");
  if (!toc || !pdo || !fwk || toc->InitInst(&path[0], msg) == -1) {
    zol::PrintMessage(msg);
    return 1;
  }
  toc->GetPackage(ZOLINS_PDO, ZOLINS_DOCUMENTATION, pdo.get(), 1);
  toc->GetPackage(ZOLINS_FWK, ZOLINS_DOCUMENTATION, fwk.get(), 0);
  zol::DocPresent& doc = zol::DocPresentState();
  doc.nbPDODoc = pdo->GetNbName();
  doc.nbFWKDoc = fwk->GetNbName();
  doc.tabPDODoc = std::move(pdo);
  doc.tabFWKDoc = std::move(fwk);
  doc.instToc = std::move(toc);
  return 0;
}

int GetNbFWKinPRESENT(int* nb) {
  if (nb) *nb = zol::DocPresentState().nbFWKDoc;
  return 0;
}

int GetiemeFWKinPRESENT(int i, char* out) {
  const zol::DocPresent& doc = zol::DocPresentState();
  if (i < 1 || i > doc.nbFWKDoc || !out) return -1;
  zol::CopyName(out, doc.tabFWKDoc->GetName(i - 1));
  return 0;
}
