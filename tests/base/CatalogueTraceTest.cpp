#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include "ZOLMsgCatalog.h"
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

TEST(Catalogue, MessageHelperFormatsDefaultAndParametersAlikeAndChangedFilesAreReadAgain) {
  ScopedEnv path("ZOL_MSGCAT_PATH", nullptr);
  const std::string longName(600, 'n');
  const ZOLUnicodeString message = zol::Message("K", "line %d of %s\n", 3, longName.c_str());
  EXPECT_EQ(message.str(), "line 3 of " + longName + "\n");  // no 256-byte cut
  TempDir dir;
  dir.Write("ZOLPelmo.msgcat", "K=%2 @ %1\n");
  ScopedEnv again("ZOL_MSGCAT_PATH", dir.path().c_str());
  EXPECT_EQ(zol::Message("K", "line %d of %s\n", 3, "f").str(), "f @ 3");
  dir.Write("ZOLPelmo.msgcat", "K=changed %1\n");  // a changed file is read again
  EXPECT_EQ(zol::Message("K", "line %d of %s\n", 3, "f").str(), "changed 3");
}

TEST(Trace, ActiveOnlyWhenNamedAtConstruction) {
  auto active = [](const char* names) {
    ScopedEnv trace("ZOL_TRACE", names);
    return ZOLTrace("TOC", "", 0, "STDERR", 1024).IsActive();
  };
  for (auto [names, expected] :
       {std::pair<const char*, int>{nullptr, 0}, {"X, TOC", 1}, {"all", 1}, {"TOCX", 0}})
    EXPECT_EQ(active(names), expected) << (names ? names : "unset");
  std::optional<ScopedEnv> named(std::in_place, "ZOL_TRACE", "TOC");
  ZOLTrace on("TOC", "", 0, "STDERR", 1024), off("OTHER", "", 0, "STDERR", 1024);
  named.reset();  // what counts is the variable when the trace was built
  const std::string printed = zoltest::CaptureStderr([&] {
    on.TraPrint("n=%d\n", 5);
    off.TraPrint("x\n");
  });
  EXPECT_EQ(printed, "n=5\n");
}

}  // namespace
