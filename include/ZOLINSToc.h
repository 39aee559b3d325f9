#ifndef ZOLINS_TOC_H
#define ZOLINS_TOC_H

#include <memory>
#include <string>

#include "ZOLINSExport.h"
#include "ZOLINSStock.h"
#include "ZOLINSTypes.h"
#include "ZOLINSUnitToc.h"
#include "ZOLTrace.h"
#include "ZOLUnicodeString.h"

// The library-wide information message, or null. Operations without a message parameter of their
// own append their failure messages to it when it exists. Created by ZOLINSToc::sResetInfoMsg,
// deleted by sResetInfoMsg and sClearInfoMsg.
extern ZOLINS_EXPORT ZOLUnicodeString* oMsg;

namespace zol {
class FieldReader;
struct TocState;
}  // namespace zol

// A table of contents loaded from one TOC file: its raw lines, one record per line, the levels the
// table carries and the visible names of the optional "PCFG.list" beside the file. The installed
// and media TOCs derive from it: Init reads the file and leaves blank records that they parse.
class ZOLINS_EXPORT ZOLINSToc {
 public:
  // An empty table (record count -1) with its "TOC" trace. Sets strMsg to null without releasing
  // the copy it held (that copy stays valid until the process ends).
  ZOLINSToc();
  // Releases the records, the visible names, the copy held by strMsg, the trace, the lines and the
  // file name, in this order.
  virtual ~ZOLINSToc();
  ZOLINSToc(const ZOLINSToc&) = delete;
  ZOLINSToc& operator=(const ZOLINSToc&) = delete;

  // Reads the file at `path`: one raw line and one blank record per line feed, and the visible
  // names of "PCFG.list" in the same directory. Returns 1, or -1 with the record count at -1: a
  // missing file (message replaced), an empty file or one without a line feed (message untouched),
  // an allocation failure.
  int Init(char* path, ZOLUnicodeString& message);
  // The number of records; -1 before a load and after a failed one.
  int GetNbToc() const;

  // Level derivation, run on a table with at least one record, in the order SetOS, SetGALevel,
  // SetSPKLevel, SetHFXLevel, SetHFXName. SetOS and SetGALevel return 1, or 0 with the mismatch
  // in `message` (the forms without a message append it to *oMsg when oMsg exists).
  int SetOS(ZOLUnicodeString& message);
  int SetOS();
  char* GetOS();
  int SetGALevel(ZOLUnicodeString& message);
  int SetGALevel();
  char* GetGALevel();
  void SetSPKLevel();
  // The SPK level when `which` is 1, else the level that was highest before the last raise.
  int GetSPKLevel(int which) const;
  void SetHFXLevel();
  int GetHFXLevel();
  int SetHFXName();
  char* GetHFXName();
  // Stamps the first record with the current time.
  void SetTimestamp();

  // The information message (oMsg).
  static ZOLUnicodeString* sGetInfoMsg();
  // Sets `text` to a new narrow copy of a non-empty information message, kept in strMsg; else to
  // the copy strMsg holds (possibly null). A copy replaced in strMsg stays valid until the process
  // ends; the copy strMsg holds is released by sResetInfoMsg, sClearInfoMsg and any table's
  // destructor.
  static void sGetInfoMsg(char*& text);
  // Deletes the information message and strMsg's copy; oMsg becomes a new empty message.
  static void sResetInfoMsg();
  // Deletes the information message and strMsg's copy; both become null.
  static void sClearInfoMsg();
  static char* strMsg;

  // Queries. Names compare byte for byte. Every query that fills a container resets it first.

  // The first record, in file order, of that name and type; -1 when none or the table is empty.
  int GetIndex(const char* name, const ZOLINSType type) const;
  // The first record of that name whatever its type, or -1.
  int GetIndexAnyType(const char* name) const;
  // 1 when `name` is visible: always without "PCFG.list", else when the file lists it.
  int IsVisible(const char* name) const;
  // Names and labels of the records of one package and type (4: any type), visible ones only when
  // visibleOnly is 1, sorted (descending for FIX). A name without a record of the type searched
  // appends an internal error to *oMsg and leaves the count at 0.
  void GetPackage(const ZOLINSPkg package, const ZOLINSType type, ZOLINSStockName* result,
                  int visibleOnly) const;
  // The names superseded by the given code elements (never one of the given names), or, when `all`
  // is not 0, by every record; sorted, with the labels of their code records.
  void GetPackageOPT(char (*names)[ZOLINS_NAME_SIZE], int nbNames, ZOLINSStockName* result,
                     int all) const;
  // The code elements that supersede `name`, sorted, with their labels.
  void GetPackageIncludingExtra(const char* name, ZOLINSStockName* result) const;
  // The first record of `type` that supersedes `name`, or -1.
  int GetOneSuperseding(const char* name, const ZOLINSType type) const;
  // The records of `type` that supersede, require, or conditionally require (as UB) `name`, in
  // file order.
  void GetSuperseding(const char* name, const ZOLINSType type, ZOLINSStockIndex* result) const;
  void GetPrerequing(const char* name, const ZOLINSType type, ZOLINSStockIndex* result) const;
  void GetIfrequing(const char* name, const ZOLINSType type, ZOLINSStockIndex* result) const;
  // Removes the first record of that name and type from memory (the file and the raw lines stay as
  // they are). Returns 1, or 0 with a not-found message in `message`.
  int Remove(const char* name, const ZOLINSType type, ZOLUnicodeString& message);

  // Record i in table order, or null when i is not below the record count.
  ZOLINSUnitToc* GetIiemeUnitToc(int i) const;
  // The path the table was loaded from; null before Init.
  const char* GetFileName() const;
  // Raw line i (without its line feed), or null when there is none.
  const char* GetLine(int i) const;

 protected:
  // Marks the loaded table invalid (record count -1), as every failed load does.
  void FailLoad();
  // Parses every raw line into its record, in file order; `beforeRecord(context, i, fields)` may
  // first take prefix fields off line i. On a refused line: `msg` gets the
  // "ZOLINSInstToc.Error_Init" message, whose default is `failureFormat` filled with the line
  // number and the path, followed by the parser's message; the load fails (record count -1) and -1
  // is returned. Else 1.
  using PrefixReader = void (*)(void* context, int line, zol::FieldReader& fields);
  int ParseRecords(ZOLUnicodeString& msg, const char* failureFormat, PrefixReader beforeRecord,
                   void* context);
  // Right after a successful ParseRecords: SetOS(msg), SetGALevel(msg), then SetSPKLevel,
  // SetHFXLevel and SetHFXName, with what the parse gathered instead of a pass each.
  int SetLevels(ZOLUnicodeString& msg);
  // Drops the name index; the next lookup builds it from the records again. Loaders call it after
  // parsing the records.
  void RecordsChanged() const;
  // Records keep the slot they were loaded into (their position at load) when others are
  // removed, so what a derived table keeps per record stays where it is, by slot.
  int SlotOf(int position) const;
  // The position of the record in `slot`, or -1 when it was removed (or `slot` is -1).
  int PositionOfSlot(int slot) const;
  ZOLTrace& Trace() const;
  // Whether the table's trace prints: decided once, when the table is built.
  bool TraceOn() const;
  // GetPackage and GetPackageOPT for either name container (ZOLINSStockName, ZOLINSStockNameInst).
  template <typename Stock>
  void ListPackage(ZOLINSPkg package, ZOLINSType type, Stock* result, int visibleOnly) const;
  template <typename Stock>
  void ListSuperseded(char (*names)[ZOLINS_NAME_SIZE], int nbNames, Stock* result, int all) const;

 private:
  void Clear();
  // Record i, for 0 <= i < the record count.
  ZOLINSUnitToc& Record(int i) const;
  void LoadVisibleNames(const std::string& tocPath);
  // Labels from the records that the names of `result` denote; on a name without one, an internal
  // error (of GetPackageOPT when `superseded`) and a count of 0.
  template <typename Stock>
  void FillLabels(Stock* result, ZOLINSType type, bool superseded) const;

  // Everything the table holds (src/toc/TocState.h): behind one pointer, so that the class's
  // layout does not change when what it holds does.
  std::unique_ptr<zol::TocState> d_;
};

#endif
