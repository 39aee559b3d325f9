#ifndef ZOLINS_TESTS_TOC_BUILDER_H
#define ZOLINS_TESTS_TOC_BUILDER_H

#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "ZOLINSToc.h"
#include "support/TestSupport.h"

namespace zoltest {

// One TOC element described compactly, written as a TOC line:
//   E("A").Pkg("FWK").Prereq("B C").Size(100).Line()
struct E {
  explicit E(std::string name) : name(std::move(name)) {}
  E& Type(std::string v) { return type = std::move(v), *this; }
  E& Pkg(std::string v) { return package = std::move(v), *this; }
  E& Supersede(std::string v) { return supersede = std::move(v), *this; }
  E& Prereq(std::string v) { return prereq = std::move(v), *this; }
  E& Ifreq(std::string v) { return ifreq = std::move(v), *this; }
  E& Size(unsigned v) { return size = std::to_string(v), *this; }
  E& Os(std::string v) { return os = std::move(v), *this; }
  E& Ga(std::string v) { return ga = std::move(v), *this; }
  E& Spk(int v) { return spk = std::to_string(v), *this; }
  E& Label(std::string v) { return label = std::move(v), *this; }
  E& Langs(std::string v) { return langs = std::move(v), *this; }

  // The 13-field record line.
  std::string Line() const;
  // The same line behind the three media prefix fields.
  std::string MediaLine(const std::string& medium, int order, unsigned archiveSize) const;

  std::string name;
  std::string type = "code";
  std::string package = "PRD";
  std::string supersede, prereq, ifreq;
  std::string size = "0";
  std::string stamp = "20260101000000";
  std::string os = "os1";
  std::string ga = "ga1";
  std::string spk = "0";
  std::string label;
  std::string langs;
};

// Record lines, each ended by a line feed.
std::string TocText(std::initializer_list<E> elements);

// What every test of a table needs: English default texts, a directory of its own, the path of
// the file loaded and the loader's message; the information message is cleared afterwards.
class TocTest : public ::testing::Test {
 protected:
  void TearDown() override { ZOLINSToc::sClearInfoMsg(); }

  ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  TempDir dir;
  std::string path;
  ZOLUnicodeString message;
};

// Loads a table the way the installed and media loaders do: Init, every line parsed into its
// record, then the levels. Returns 1, or -1 with the reason in `message`.
int LoadPlainToc(ZOLINSToc& toc, const std::string& path, ZOLUnicodeString& message);

}  // namespace zoltest

#endif
