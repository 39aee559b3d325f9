#include "support/InstallTree.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "ZOLCheckSum.h"

namespace zoltest {

InstallTree::InstallTree() {
  dir_.Write("control/PCFG.list", "");
}

std::string InstallTree::File(const std::string& relative, const std::string& content) const {
  return dir_.Write(relative, content);
}

std::string InstallTree::Summed(const std::string& listed) const {
  std::string path = root() + listed.substr(1);
  return listed + " " + std::to_string(ZOLCalcCheckSum(&path[0]));
}

void InstallTree::Control(const std::string& element,
                          std::initializer_list<std::string> lines) const {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  dir_.Write("control/" + element, text);
}

void InstallTree::Remove(const std::string& relative) const {
  std::remove((dir_ / relative).c_str());
}

std::unique_ptr<ZOLINSInstToc> InstallTree::Load(std::initializer_list<E> elements) const {
  std::string path = dir_.Write("control/PRESENT", TocText(elements));
  auto toc = std::make_unique<ZOLINSInstToc>();
  ZOLUnicodeString message;
  EXPECT_EQ(toc->InitInst(&path[0], message), 1) << message.str();
  return toc;
}

CheckResult Check(ZOLINSInstToc& toc, const char* installPath, int checkLevel,
                  int compactDocReport) {
  ZOLUnicodeString report;
  const int status = toc.CheckIntegrity(report, installPath, checkLevel, compactDocReport);
  return {status, report.str()};
}

}  // namespace zoltest
