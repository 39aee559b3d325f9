#ifndef ZOLINS_INST_TOC_H
#define ZOLINS_INST_TOC_H

#include <memory>

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

  // Integrity check of the installation below `installPath` (null: dependency checks only).
  // Findings are appended to `report`, never cleared. checkLevel 0 or less: control files only;
  // 1 (and above 2): also the presence of every listed file; 2: also their checksums.
  // compactDocReport non-zero: findings about documentation elements as "class|arg[|arg]\n".
  // Returns 1 when nothing was found, 0 after a finding, 2 when a corequisite is missing.
  // Installs a SIGINT handler (SignalIntercept) that stays installed; once SIGINT has been caught,
  // every later element walk stops at once and the prerequisite check is skipped.
  int CheckIntegrity(ZOLUnicodeString& report, const char* installPath, int checkLevel,
                     int compactDocReport);
  // The file part of CheckIntegrity on a cleaned path: the control directory's "PCFG.list" (unless
  // the first record is documentation), the SIGINT handler, then CheckIntegAllTOCElements.
  // Nothing for a null path.
  void MainChecks(ZOLUnicodeString& report, char* installPath, int checkLevel, int compactDocReport,
                  int& status);
  // The walk over the records in table order: control file present, then (level 1 and above) the
  // files it lists. Stops before the next record once an interrupt was caught.
  void CheckIntegAllTOCElements(ZOLUnicodeString& report, char* installPath, int checkLevel,
                                int compactDocReport, int& status);
  // Each framework that no PRD, SLT or PDO record lists as a prerequisite is reported (Alonefwk;
  // a documentation framework as AloneDOCfwk unless its name holds a documentation directory).
  void CheckAllFWKPrerequed(ZOLUnicodeString& report, int compactDocReport, int& status);
  // Each fix set that no SPK record names as the required element of a conditional prerequisite
  // is reported (Alonefsp, always as a message).
  void CheckAllFSPIfrequed(ZOLUnicodeString& report, int& status);
  // Missing prerequisites (status 0) and, for conditions that are installed, missing corequisites
  // (status 2). Nothing once an interrupt was caught.
  void CheckPrereqIfreq(ZOLUnicodeString& report, int compactDocReport, int& status);
  // When spkLevel > 0: `baseName` (64 bytes) gets the name less a ".<digit>..." suffix, and spkMax
  // the newest service-pack control file to use: the base element's highest SPK level when it is
  // installed as `kind`, else the number of consecutive installed baseName.1, baseName.2...
  // Nothing when spkLevel <= 0.
  void GetSPKMaxAndControlNameBase(char* name, ZOLINSType kind, int spkLevel, int& spkMax,
                                   char* baseName);
  // The control text of one element: its own control file `controlPath`, or, when spkLevel >= 1
  // and spkMax > 0, the merge of baseName.spkMax and baseName in the control directory (the first
  // controlDirLength characters of controlPath), unless `checked` already holds baseName (which
  // is then added). Returns 0 with a copy in *controlText (new[]: release with delete[]), or 1
  // when there is nothing to check; read errors are reported and set status to 0. `work` is
  // scratch.
  int GetPathnameStr(int spkLevel, int spkMax, ZOLUnicodeString& checked, char* baseName,
                     ZOLINSType kind, ZOLUnicodeString& report, int compactDocReport, int& status,
                     ZOLUnicodeString work, char** controlText, ZOLUnicodeString controlPath,
                     const int controlDirLength);
  // `text` = the service-pack control file `spkPath`, then, when baseName is installed as `kind`,
  // the lines of `basePath` whose paths the service pack does not list. Returns 0, or 1 after a
  // reported read error (status 0).
  int GetControleTotalStr(ZOLUnicodeString spkPath, char* baseName, ZOLUnicodeString basePath,
                          ZOLINSType kind, ZOLUnicodeString& report, int compactDocReport,
                          int& status, ZOLUnicodeString& text);
  // A listed file `path` is missing: accepted when it belongs to a language or font set whose flag
  // is 0, or when the skip list holds "d*<its name>"; otherwise reported (FilenotFound, status 0).
  void CheckNLSOrFontsOrDeleted(char* path, int french, int german, int italian, int russian,
                                int japanese, int simplifiedChinese, int korean, int fonts,
                                ZOLUnicodeString skipList, ZOLINSType kind,
                                ZOLUnicodeString& report, int compactDocReport, int& status);
  // A listed file `path` exists: at level 2, when it carries a checksum other than "0" and is not
  // exempt by the skip list, its checksum is recomputed and a difference (CheckSumMisMatch) or an
  // unreadable file (rOpenFailed) is reported with status 0. Returns 1 when nothing was compared,
  // else 0.
  int CheckCheckSum(int hasChecksum, char* checksumText, int checkLevel, int skipListRead,
                    char* path, ZOLUnicodeString skipList, ZOLINSType kind,
                    ZOLUnicodeString& report, int compactDocReport, int& status);
  // Appends one finding to `report`: "errorClass|first[|second]\n" for a documentation element
  // when compactDocReport is non-zero (returns 1), else the catalogue message `key` whose default
  // is `defaultFormat` filled with first (and second) (returns the number of parameters). Does
  // not touch the status.
  int throwError(ZOLINSType kind, char* errorClass, char* first, char* second, char* defaultFormat,
                 char* key, ZOLUnicodeString& report, int compactDocReport);

 protected:
  int nbNameInst[6];
  char tabNameInst[6][ZOLINS_STOCK_CAPACITY][ZOLINS_NAME_SIZE];

 private:
  int LoadRecordsAndLists(const char* path, ZOLUnicodeString& msg);
  bool AddInstalledName(int list, const char* name);
  int BuildLists(const char* path, ZOLUnicodeString& msg);
  int RaiseFrameworkLevels(ZOLUnicodeString& msg);
  void TraceList(const char* heading, int list) const;

  // The lists' membership sets (InstToc.cpp): behind one pointer, so that the class's layout does
  // not change when what it holds does.
  struct State;
  std::unique_ptr<State> i_;
};

#endif
