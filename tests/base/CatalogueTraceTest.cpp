#include <gtest/gtest.h>

#include "ZOLMsgCatalog.h"
#include "ZOLSysEnvManager.h"
#include "ZOLTrace.h"
#include "base/Message.h"
#include "support/TestSupport.h"

namespace {

using zoltest::ScopedEnv;
using zoltest::TempDir;

ZOLUnicodeString Build(const char* key, const char* defaultText) {
  const ZOLUnicodeString params[] = {"first", "second"};
  return ZOLMsgCatalog::BuildMessage("ZOLPelmo", key, params, 2, defaultText);
}

TEST(Catalogue, WithoutCatalogueTheDefaultIsTheMessage) {
  ScopedEnv path("ZOL_MSGCAT_PATH", nullptr);
  EXPECT_STREQ(Build("Any.Key", "default first\n").ConvertToChar(), "default first\n");
}

TEST(Catalogue, LanguageDirectoryComesFirstThenTheDirectoryItself) {
  TempDir dir;
  dir.Write("fr/ZOLPelmo.msgcat", "# French\nKey.A = A en français: %1 puis %2\\n\n");
  dir.Write("ZOLPelmo.msgcat", "Key.A=plain %2\nKey.B =  B: %1 100%% %3%x\n");
  ScopedEnv path("ZOL_MSGCAT_PATH", ("/nonexistent:" + dir.path()).c_str());
  {
    ScopedEnv lang("LANG", "fr_FR.UTF-8");
    EXPECT_STREQ(Build("Key.A", "dflt").ConvertToChar(), "A en français: first puis second\n");
    EXPECT_STREQ(Build("Key.B", "dflt").ConvertToChar(), "B: first 100% %x");
    EXPECT_STREQ(Build("Key.C", "dflt").ConvertToChar(), "dflt");
  }
  ScopedEnv lang("LANG", "C");
  EXPECT_STREQ(Build("Key.A", "dflt").ConvertToChar(), "plain second");
}

TEST(Catalogue, ChangedFileIsReadAgain) {
  TempDir dir;
  dir.Write("ZOLPelmo.msgcat", "K=one\n");
  ScopedEnv path("ZOL_MSGCAT_PATH", dir.path().c_str());
  ScopedEnv lang("LANG", nullptr);
  EXPECT_STREQ(Build("K", "d").ConvertToChar(), "one");
  dir.Write("ZOLPelmo.msgcat", "K=second text\n");
  EXPECT_STREQ(Build("K", "d").ConvertToChar(), "second text");
}

TEST(Catalogue, MessageHelperFormatsDefaultAndParametersAlike) {
  ScopedEnv path("ZOL_MSGCAT_PATH", nullptr);
  const std::string longName(600, 'n');
  const ZOLUnicodeString message = zol::Message("K", "line %d of %s\n", 3, longName.c_str());
  EXPECT_EQ(message.str(), "line 3 of " + longName + "\n");  // no 256-byte cut
  TempDir dir;
  dir.Write("ZOLPelmo.msgcat", "K=%2 @ %1\n");
  ScopedEnv again("ZOL_MSGCAT_PATH", dir.path().c_str());
  EXPECT_EQ(zol::Message("K", "line %d of %s\n", 3, "f").str(), "f @ 3");
}

TEST(SysEnvManager, ProductLineTextsComeFromTheirCatalogue) {
  TempDir dir;
  dir.Write("ZOLProductLine.msgcat", "PL1.Label=Line one\nPL1.Copyright=(c) Someone\n");
  ScopedEnv path("ZOL_MSGCAT_PATH", dir.path().c_str());
  ZOLSysEnvManager manager;
  ZOLUnicodeString line("PL1");
  EXPECT_STREQ(manager.GetLabelForProductLine(line).ConvertToChar(), "Line one");
  EXPECT_STREQ(manager.GetCopyRigthForProductLine(line).ConvertToChar(), "(c) Someone");
  EXPECT_STREQ(manager.GetDocHomepageForProductLine(line).ConvertToChar(), "");
}

TEST(Trace, ActiveOnlyWhenNamedAtConstruction) {
  {
    ScopedEnv trace("ZOL_TRACE", nullptr);
    EXPECT_EQ(ZOLTrace("TOC", "", 0, "STDERR", 1024).IsActive(), 0);
  }
  {
    ScopedEnv trace("ZOL_TRACE", "X, TOC");
    ZOLTrace active("TOC", "", 0, "STDERR", 1024);
    EXPECT_EQ(active.IsActive(), 1);
    EXPECT_EQ(zoltest::CaptureStderr([&] { active.TraPrint("n=%d\n", 5); }), "n=5\n");
  }
  ScopedEnv trace("ZOL_TRACE", "all");
  EXPECT_EQ(ZOLTrace("TOC", "", 0, "STDERR", 1024).IsActive(), 1);
  ScopedEnv other("ZOL_TRACE", "TOCX");
  ZOLTrace inactive("TOC", "", 0, "STDERR", 1024);
  EXPECT_EQ(inactive.IsActive(), 0);
  EXPECT_EQ(zoltest::CaptureStderr([&] { inactive.TraPrint("x\n"); }), "");
}

}  // namespace
