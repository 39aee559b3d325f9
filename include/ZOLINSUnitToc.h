#ifndef ZOLINS_UNIT_TOC_H
#define ZOLINS_UNIT_TOC_H

#include <cstddef>
#include <cstdint>

#include "ZOLINSExport.h"
#include "ZOLINSIfreq.h"
#include "ZOLINSTypes.h"
#include "ZOLToken.h"
#include "ZOLUnicodeString.h"

// One element of a table of contents: one TOC line (13 fields separated by ":") turned into fixed
// fields and owned lists. The record owns its supersede, prereq, ifreq and lang-size lists and its
// label (a table's records keep them in the table's own storage instead, released with it).
// Records move (ownership passes, the source is left empty) but are not copied.
namespace zol {
class Arena;
}

class ZOLINS_EXPORT ZOLINSUnitToc {
 public:
  // A cleared record, as after Init.
  ZOLINSUnitToc();
  virtual ~ZOLINSUnitToc();
  ZOLINSUnitToc(ZOLINSUnitToc&& other) noexcept;
  ZOLINSUnitToc& operator=(ZOLINSUnitToc&& other) noexcept;
  ZOLINSUnitToc(const ZOLINSUnitToc&) = delete;
  ZOLINSUnitToc& operator=(const ZOLINSUnitToc&) = delete;

  // Clears every field: counts, levels and sizes to 0, pointers to null, texts empty. Frees
  // nothing: call it on a fresh record, or after Libere.
  void Init();

  // Parses the 13 fields of one line from `token` (read with the separator ":"). Returns 1, or -1
  // with the reason in `message` (replaced) for an unknown type or package keyword, or a fix set
  // without prerequisites; the fields read before the failure stay in the record. Lists that the
  // record held are freed first.
  int WriteTabUnitToc(ZOLToken& token, ZOLUnicodeString& message);
  // Replaces `line` with the record written as a TOC line, without a line feed. Returns 1.
  int WriteLineToc(ZOLUnicodeString& line, ZOLUnicodeString& message);

  // Forgets the lists and the label without freeing them (their owner is now another record).
  void Reset();
  // Frees the lists and the label and nulls their pointers; the counts stay as they are.
  void Libere();

  ZOLINSType GetType() const { return type_; }
  ZOLINSPkg GetPackage() const { return package_; }
  char* GetName() { return name_; }
  const char* GetName() const { return name_; }

  // The i-th entry of a list, for 0 <= i < the matching count.
  int GetNbSupersede() const { return nbSupersede_; }
  char* GetSupersede(const int i) const { return ListEntry(supersede_, i); }
  int GetNbPrereq() const { return nbPrereq_; }
  char* GetPrereq(const int i) const { return ListEntry(prereq_, i); }
  int GetNbIfreq() const { return nbIfreq_; }
  ZOLINSIfreq* GetIfreq(const int i) const { return &ifreq_[i]; }
  int GetNbLangSize() const { return nbLangSize_; }
  // 0 when i is not a position of the lang-size list.
  unsigned int GetLangSize(const int i) const;

  unsigned int GetSizefs() const { return sizefs_; }
  char* GetTimestamp() { return timestamp_; }
  char* GetOS() { return os_; }
  char* GetGALevel() { return gaLevel_; }
  const char* GetTimestamp() const { return timestamp_; }
  const char* GetOS() const { return os_; }
  const char* GetGALevel() const { return gaLevel_; }
  int GetSPKLevel() const { return spkLevel_; }
  int GetHFXLevel() const { return hfxLevel_; }
  int GetMaxSPKLevel() const { return maxSpkLevel_; }
  // Raises the max SPK level to `level` when it is greater; returns the max SPK level.
  int SetMaxSPKLevel(const int level);
  // A new 48-byte buffer (delete[] it) holding the name cut before its last "." (the whole name
  // when it has none): a fix set's framework.
  char* GetBaseFWK() const;
  // The label, null before a successful parse.
  char* GetLabel() const { return label_; }
  // Stamps the record with the local time as 14 digits (YYYYMMDDhhmmss).
  void SetTimestamp();

  // Counts the blank-separated words of a list field.
  void SetFieldNumber(ZOLUnicodeString& field, int& count);
  // Strips `field` of blanks at both ends (in place), counts its words and stores them in a new
  // array assigned to `list` (left as it is when there are none), then sets `count`. Names keep
  // at most 47 characters; numbers that do not parse are 0.
  void CutField(ZOLUnicodeString& field, int& count, char (*&list)[ZOLINS_NAME_SIZE]);
  void CutField(ZOLUnicodeString& field, int& count, ZOLINSIfreq*& list);
  void CutField(ZOLUnicodeString& field, int& count, unsigned int*& list);

 private:
  friend class ZOLINSToc;

  // WriteTabUnitToc over any source of ":" fields (ZOLToken, or a table's own line reader).
  template <typename Fields>
  int Parse(Fields& fields, ZOLUnicodeString& message);
  template <typename Fields>
  void ParseRemainingFields(Fields& fields);
  // An array for a list or the label: from the table's arena when the record belongs to a table,
  // else from the heap.
  template <typename T>
  T* NewArray(std::size_t n);
  // `bytes` bytes for a name list, the same way, aligned for its offsets.
  char* NewBlock(std::size_t bytes);

  // Name lists are one block each: the 32-bit offsets of the names from the block's start, then
  // the names, each as long as it is.
  static char* ListEntry(char* block, int i) {
    return block + reinterpret_cast<const std::uint32_t*>(block)[i];
  }

  ZOLINSType type_;
  ZOLINSPkg package_;
  char name_[ZOLINS_NAME_SIZE];
  int nbSupersede_;
  int nbPrereq_;
  int nbIfreq_;
  int nbLangSize_;
  char* supersede_;
  char* prereq_;
  ZOLINSIfreq* ifreq_;
  unsigned int* langSizes_;
  char* label_;
  zol::Arena* arena_;
  unsigned int sizefs_;
  int spkLevel_;
  int maxSpkLevel_;
  int hfxLevel_;
  char timestamp_[15];
  char os_[8];
  char gaLevel_[8];
};

#endif
