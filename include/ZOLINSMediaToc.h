#ifndef ZOLINS_MEDIA_TOC_H
#define ZOLINS_MEDIA_TOC_H

#include <memory>

#include "ZOLINSExport.h"
#include "ZOLINSToc.h"
#include "ZOLINSTypes.h"
#include "ZOLToken.h"
#include "ZOLUnicodeString.h"

class ZOLINSInstToc;

namespace zol {
class FieldReader;
}  // namespace zol

// Where an element of a medium lies: the three prefix fields of its media TOC line.
class ZOLINS_EXPORT ZOLINSPrefixToc {
 public:
  ZOLINSPrefixToc() : media(0), order(0), sizeCaf(0) {}

  // Reads the medium (first character of the trimmed field, NUL when empty), the order number and
  // the archive size from the next three ":" fields of `token`. A number that does not parse is 0.
  // Returns 1.
  int WriteTabPrefixToc(ZOLToken& token, ZOLUnicodeString& msg);

  char GetMedia() const { return media; }
  int GetOrder() const { return order; }
  const int* GetOrderAddress() const { return &order; }
  unsigned int GetSizeCaf() const { return sizeCaf; }

 private:
  friend class ZOLINSMediaToc;
  // WriteTabPrefixToc over any source of ":" fields.
  template <typename Fields>
  void Read(Fields& fields);

  char media;
  int order;
  unsigned int sizeCaf;
};

// The TOC of an installation medium: a table whose lines start with the prefix fields, and one
// prefix entry per record. Install planning works on it.
class ZOLINS_EXPORT ZOLINSMediaToc : public ZOLINSToc {
 public:
  ZOLINSMediaToc();
  virtual ~ZOLINSMediaToc();

  // Loads the media TOC at `path`. Returns 1, or -1 with the record count at -1 and the reason in
  // `msg`. Sets the prerequisite-check flag to 0.
  int InitMedia(char* path, ZOLUnicodeString& msg);

  // The index of the first prefix entry carrying order number `order`, or -1.
  int GetIndexI(const int order) const;
  // Prefix entry i, or null when i is not below the record count.
  const ZOLINSPrefixToc* GetIiemePrefixToc(int i) const;
  // Writes the record line of the first element named `name` (any type) into `line`; 0, or -1
  // (line untouched) when there is none.
  int GetUnitToc(ZOLUnicodeString& line, char* name);
  // Copies to `out`, in order, the names among `names` that are code products or solutions; the
  // number copied goes to *nbOut. Does nothing when `out` or `nbOut` is null.
  void GetTabCFGPRDToInstall(char (*names)[ZOLINS_NAME_SIZE], int nb, char (*out)[ZOLINS_NAME_SIZE],
                             int* nbOut);
  // The number of prerequisites of the documentation element `name`, or -1 when there is none.
  int GetNbPrereqOf(char* name);
  // Copies prerequisite i of the documentation element `name` into `out` (48 bytes); an unknown
  // element or an index out of range gives the empty name. Returns 0.
  int GetIiemePrereqOf(char* name, int i, char* out);
  // The largest file-system size among the named elements (first record of each name); 0 when
  // nb is 0 or above 4096.
  unsigned int GetMaxSizeCaf(unsigned int nb, char (*names)[ZOLINS_NAME_SIZE]) const;
  // The sum of the language sizes 0 to 7 of the named elements, leaving out size k when bit k of
  // `excluded` is set; `largest` gets the largest element's sum, or 0 when at most one element
  // contributed. 0 when nb is 0 or above 4096.
  unsigned int GetSizeFilesToRemove(int excluded, unsigned int nb, char (*names)[ZOLINS_NAME_SIZE],
                                    unsigned int& largest) const;

  // When not 0, GetSize refuses requested elements whose first prerequisite is not installed.
  void SetPrereqCheck(int flag);
  int GetPrereqCheck() const;

  // Install planning. Every name looked up, requested or reached, is of `type`; requested names
  // are read up to their 47th character. `inst` is the installed TOC, null when nothing is
  // installed. The arrays handed out through `namesToInstall` and `media` are new[] arrays that
  // the caller owns (delete[]), listed by ascending order number on the media; on failure an
  // array already handed out stays the caller's. Working lists hold 4096 entries; an addition to a
  // full one fails the call with an internal error. The request itself is not bounded: more than
  // 4096 names may be requested (repeated or installed ones take no room in the lists).

  // The elements to install for the `nb` requested ones: checks the medium's OS and GA level
  // against `inst`, then adds, pass by pass, every prerequisite and every conditional
  // prerequisite whose condition element is installed or selected (every one with `archiveMode`),
  // leaving out what is installed, older fix sets and, with the prerequisite check on, requested
  // elements whose first prerequisite is missing. Fills *nbToInstall, `namesToInstall`, `*media`
  // (when `media` is not null) and, when `nbMet` is not null, *nbMet and *namesMet with every
  // element met that is on the medium (a malloc'ed array of malloc'ed 48-byte names, left
  // untouched when there is none). Returns the total file-system size (+400 for code), with
  // `archiveMode` the archive bytes as (total / 1024) + 1, 0 when the sizes add up to 0; 0 with
  // *nbToInstall 0 when there is nothing to install; -1 when a name is refused (after every name
  // of that pass is reported) or on an internal error. Messages are appended to oMsg.
  int GetSize(char (*names)[ZOLINS_NAME_SIZE], unsigned int nb, const ZOLINSType type,
              const int archiveMode, unsigned int* nbToInstall,
              char (*&namesToInstall)[ZOLINS_NAME_SIZE], ZOLINSInstToc* inst, char** media,
              unsigned int* nbMet, char*** namesMet);
  // A GA level: the requested elements and all their plain prerequisites that are not installed
  // (no conditional prerequisites, no level rules). Fills *nbToInstall, `namesToInstall` and
  // `*media`, and returns the sum of their file-system sizes; all bits set when a requested
  // element is installed (each one reported), an element is not on the medium, nothing is left to
  // install, or on an internal error. Messages are appended to `msg`; traced when TOC is active.
  unsigned long long GetSizeGA(char (*names)[ZOLINS_NAME_SIZE], unsigned int nb,
                               const ZOLINSType type, unsigned int* nbToInstall,
                               char (*&namesToInstall)[ZOLINS_NAME_SIZE], ZOLUnicodeString& msg,
                               ZOLINSInstToc* inst, char** media);
  // A service pack and the required element of each of its conditional prerequisites whose
  // condition element is installed and whose required element is not (not followed further).
  // Fills *nbToInstall, `namesToInstall` and `*media`, and returns the sum of their file-system
  // sizes; all bits set when `inst` is null (`msg` untouched), when the service pack is installed
  // (`msg` replaced by the message), or when the service pack or one of those required elements
  // is not on the medium, or on an internal error (message appended to `msg`).
  unsigned long long GetSizeSPK(char* name, const ZOLINSType type, unsigned int* nbToInstall,
                                char (*&namesToInstall)[ZOLINS_NAME_SIZE], ZOLUnicodeString& msg,
                                ZOLINSInstToc* inst, char** media);
  // The file-system size of the hot fix name[0] (the record of the first entry carrying its order
  // number); 0 when it is not on the medium. `msg` is not used.
  unsigned long long GetSizeHFX(char (*name)[ZOLINS_NAME_SIZE], const ZOLINSType type,
                                ZOLUnicodeString& msg);

 private:
  // The prefix entries, the prerequisite-check flag and the order index (MediaToc.cpp): behind
  // one pointer, so that the class's layout does not change when what it holds does.
  struct State;
  std::unique_ptr<State> m_;
};

#endif
