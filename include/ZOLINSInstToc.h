#ifndef ZOLINS_INST_TOC_H
#define ZOLINS_INST_TOC_H

#include <string_view>
#include <unordered_set>

#include "ZOLINSExport.h"
#include "ZOLINSStock.h"
#include "ZOLINSToc.h"
#include "ZOLINSTypes.h"
#include "ZOLUnicodeString.h"

class ZOLINSMediaToc;

// The TOC of what is installed, loaded from an installation's control/PRESENT. Besides the table
// it keeps six lists of names, indexed by ZOLINSType value:
//   0 code, 1 rux2, 2 documentation: the installed names of that type, in file order;
//   3: the names superseded by installed code, longest first (ComparString2);
//   4: the names superseded by installed rux2, in order of first appearance;
//   5: the installed samples, then the names superseded by installed documentation.
// The lists are more than 1.1 MB: create the object on the heap.
class ZOLINS_EXPORT ZOLINSInstToc : public ZOLINSToc {
 public:
  ZOLINSInstToc();
  virtual ~ZOLINSInstToc();

  // Loads the TOC file at `path` and builds the lists. Returns 1, or -1 with the record count at
  // -1 and the reason in `msg`: the file cannot be loaded, a line does not parse, the OS or GA
  // level is inconsistent, a name is installed twice with one type, a fix set has no framework,
  // or a list would hold more than 4096 names.
  int InitInst(char* path, ZOLUnicodeString& msg);
  // 0 when `name` is in list `type`, -1 otherwise.
  int IsInstalled(const char* name, ZOLINSType type) const;
  // 0 when the documentation element `name` and every prerequisite the medium lists for it are
  // installed as documentation; -1 otherwise, also when the medium has no such element.
  int IsInstalledLookDocLp(char* name, ZOLINSMediaToc* media);
  // The highest installed service-pack level of the record GetIndex(name, type) finds (a
  // framework's is raised to that of its fix sets); -1 when there is no such record.
  int GetMaxSPKLevel(const char* name, ZOLINSType type) const;
  // GetPackage and GetPackageOPT (the latter never with `all`) into a container of the caller's
  // capacity.
  void GetPackageInst(const ZOLINSPkg pkg, const ZOLINSType type, ZOLINSStockNameInst* out,
                      int visibleOnly) const;
  void GetPackageInstOPT(char (*names)[ZOLINS_NAME_SIZE], int nb, ZOLINSStockNameInst* out) const;
  // Replaces the file at `path` with one line per record, in table order. Returns 1, or -1 with
  // the reason in `msg`; on failure the previous file stays whole.
  int UpdatePresent(const char* path, ZOLUnicodeString& msg);

  // The size of list `list` (a ZOLINSType value), 0 for an unknown list.
  int GetNbNameInst(ZOLINSType list) const;
  // Name i of list `list`, or null out of range.
  const char* GetIiemeNameInst(ZOLINSType list, int i) const;

 protected:
  int nbNameInst[6];
  char tabNameInst[6][ZOLINS_STOCK_CAPACITY][ZOLINS_NAME_SIZE];

 private:
  int LoadRecordsAndLists(const char* path, ZOLUnicodeString& msg);
  bool AddInstalledName(int list, const char* name);
  int BuildLists(const char* path, ZOLUnicodeString& msg);
  int RaiseFrameworkLevels(ZOLUnicodeString& msg);
  void TraceList(const char* heading, int list) const;

  // Membership of each list, for lookups in constant time; the views point into tabNameInst.
  std::unordered_set<std::string_view> members_[6];
};

#endif
