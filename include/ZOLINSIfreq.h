#ifndef ZOLINS_IFREQ_H
#define ZOLINS_IFREQ_H

#include <string_view>

#include "ZOLINSExport.h"
#include "ZOLINSTypes.h"
#include "ZOLUnicodeString.h"

// A conditional prerequisite PL/UB: when element PL is present, element UB is required with the
// element that carries the pair.
class ZOLINS_EXPORT ZOLINSIfreq {
 public:
  // Both names start empty; Init fills them.
  ZOLINSIfreq() { pl_[0] = ub_[0] = '\0'; }

  // Strips blanks from both ends of `word` (the stripped text replaces it), then takes the text
  // before the first "/" as PL and the text after it, up to a second "/", as UB; at most 47
  // characters of each are kept. A word without "/" gives an empty UB.
  void Init(ZOLUnicodeString& word);
  // The same split of a word that is already stripped.
  void Init(std::string_view word);

  char* GetPL() { return pl_; }
  char* GetUB() { return ub_; }
  const char* GetPL() const { return pl_; }
  const char* GetUB() const { return ub_; }

 private:
  char pl_[ZOLINS_NAME_SIZE];
  char ub_[ZOLINS_NAME_SIZE];
};

#endif
