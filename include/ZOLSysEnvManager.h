#ifndef ZOL_SYS_ENV_MANAGER_H
#define ZOL_SYS_ENV_MANAGER_H

#include "ZOLINSExport.h"
#include "ZOLUnicodeString.h"

// Texts describing a product line. They come from the message catalogue "ZOLProductLine", keys
// "<product line>.Label", "<product line>.Copyright" and "<product line>.DocHomepage"; a text that
// no catalogue holds is empty.
class ZOLINS_EXPORT ZOLSysEnvManager {
 public:
  ZOLUnicodeString GetLabelForProductLine(ZOLUnicodeString& productLine);
  ZOLUnicodeString GetCopyRigthForProductLine(ZOLUnicodeString& productLine);
  ZOLUnicodeString GetDocHomepageForProductLine(ZOLUnicodeString& productLine);
};

#endif
