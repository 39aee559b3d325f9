#ifndef ZOL_MSG_CATALOG_H
#define ZOL_MSG_CATALOG_H

#include "ZOLINSExport.h"
#include "ZOLString.h"
#include "ZOLUnicodeString.h"

// Localised messages. A catalogue is the file "<catalogue>.msgcat" found in the directories of
// ZOL_MSGCAT_PATH (":"-separated), first in the sub-directory named after the language of LANG,
// then directly; README.md describes the file format.
class ZOLINS_EXPORT ZOLMsgCatalog {
 public:
  // The catalogue's text for `key` with %1..%9 replaced by the `count` parameters, or
  // `defaultText` (already formatted by the caller) when no catalogue holds the key.
  static ZOLUnicodeString BuildMessage(const ZOLString& catalogue, const ZOLString& key,
                                       const ZOLUnicodeString* parameters, int count,
                                       const ZOLUnicodeString& defaultText);
};

#endif
