#ifndef ZOLINS_TOC_LIB_H
#define ZOLINS_TOC_LIB_H

// Everything the library exports: base types, element vocabulary, TOC records and tables, the
// installed and media TOCs, the PRESENT and query functions, checksums and the integrity check.

#include "ZOLCheckSum.h"
#include "ZOLFile.h"
#include "ZOLINSCheckProgress.h"
#include "ZOLINSCompar.h"
#include "ZOLINSExport.h"
#include "ZOLINSIfreq.h"
#include "ZOLINSInstallLock.h"
#include "ZOLINSInstToc.h"
#include "ZOLINSIntegrity.h"
#include "ZOLINSMediaToc.h"
#include "ZOLINSPresent.h"
#include "ZOLINSQuery.h"
#include "ZOLINSStock.h"
#include "ZOLINSToc.h"
#include "ZOLINSTypes.h"
#include "ZOLINSUnitToc.h"
#include "ZOLInsFic.h"
#include "ZOLMsgCatalog.h"
#include "ZOLString.h"
#include "ZOLSysEnvManager.h"
#include "ZOLToken.h"
#include "ZOLTrace.h"
#include "ZOLUnicodeString.h"

#endif
