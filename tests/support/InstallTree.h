#ifndef ZOLINS_TESTS_INSTALL_TREE_H
#define ZOLINS_TESTS_INSTALL_TREE_H

#include <initializer_list>
#include <memory>
#include <string>

#include "ZOLINSInstToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace zoltest {

// An installation in a temporary directory, built the way an installer leaves it: the installed
// TOC control/PRESENT, the list control/PCFG.list, one control file per element and the files
// they list.
//   InstallTree tree;
//   tree.File("bin/a", "abc");
//   tree.Control("A", {"./control/A", tree.Summed("./bin/a")});
//   auto toc = tree.Load({E("A")});
class InstallTree {
 public:
  // A root with control/PCFG.list.
  InstallTree();

  const std::string& root() const { return dir_.path(); }
  // root() + "/" + relative
  std::string operator/(const std::string& relative) const { return dir_ / relative; }

  // Writes a file below the root; returns its full path.
  std::string File(const std::string& relative, const std::string& content = "content") const;
  // The control line of a listed file written below the root: "./path <checksum>".
  std::string Summed(const std::string& listed) const;
  // Writes control/<element>: each line followed by "\n".
  void Control(const std::string& element, std::initializer_list<std::string> lines) const;
  // Removes a file or an empty directory below the root.
  void Remove(const std::string& relative) const;
  // Writes control/PRESENT and loads it; a failed load fails the test.
  std::unique_ptr<ZOLINSInstToc> Load(std::initializer_list<E> elements) const;

 private:
  TempDir dir_;
};

// The outcome of one CheckIntegrity call on an empty report.
struct CheckResult {
  int status;
  std::string report;
};
CheckResult Check(ZOLINSInstToc& toc, const char* installPath, int checkLevel,
                  int compactDocReport = 0);

}  // namespace zoltest

#endif
