#include "Common.h"

#include <cstdio>
#include <iostream>

namespace zoltoc {

void Source::AddOptions(CLI::App& command, bool mediaRequired, bool installRequired) {
  CLI::Option* media =
      command.add_option("--media", this->media, "media TOC file")->check(CLI::ExistingFile);
  CLI::Option* install =
      command.add_option("--install", this->install, "installation root (holds control/PRESENT)")
          ->check(CLI::ExistingDirectory);
  if (mediaRequired) media->required();
  if (installRequired) install->required();
}

std::unique_ptr<ZOLINSMediaToc> LoadMedia(const std::string& path) {
  auto toc = std::make_unique<ZOLINSMediaToc>();
  std::string copy = path;
  ZOLUnicodeString message;
  if (toc->InitMedia(&copy[0], message) != 1) {
    throw Failure{kUsage, message.GetLengthInChar() ? Trimmed(message.str())
                                                    : path + ": empty or unreadable media TOC"};
  }
  return toc;
}

std::unique_ptr<ZOLINSInstToc> LoadInstalled(const std::string& root) {
  auto toc = std::make_unique<ZOLINSInstToc>();
  std::string path = root + "/control/PRESENT";
  ZOLUnicodeString message;
  if (toc->InitInst(&path[0], message) != 1) {
    throw Failure{kUsage, message.GetLengthInChar() ? Trimmed(message.str())
                                                    : path + ": empty or unreadable PRESENT file"};
  }
  return toc;
}

std::unique_ptr<ZOLINSToc> LoadTable(const Source& source) {
  if (!source.media.empty()) return LoadMedia(source.media);
  if (!source.install.empty()) return LoadInstalled(source.install);
  throw Failure{kUsage, "give --media FILE or --install ROOT"};
}

ZOLINSType ParseType(const std::string& keyword) {
  for (int type = 0; type < 6; ++type)
    if (keyword == ZOLINSTypeKeyword[type]) return static_cast<ZOLINSType>(type);
  throw Failure{kUsage, "unknown type '" + keyword +
                            "' (code, rux2, documentation, samples, or unknownQ for any)"};
}

ZOLINSPkg ParsePackage(const std::string& keyword) {
  for (int package = 0; package < 10; ++package)
    if (keyword == ZOLINSPkgKeyword[package]) return static_cast<ZOLINSPkg>(package);
  throw Failure{kUsage, "unknown package '" + keyword +
                            "' (FWK, GRP, PRD, PDO, SLT, FIX, FSP, SPK, HFX, SMP)"};
}

std::string TypeName(int type) {
  return type >= 0 && type < 6 ? ZOLINSTypeKeyword[type] : "?";
}

std::string PackageName(int package) {
  return package >= 0 && package < 10 ? ZOLINSPkgKeyword[package] : "?";
}

const std::vector<ZOLINSType>& RecordTypes() {
  static const std::vector<ZOLINSType> types = {ZOLINS_CODE, ZOLINS_RUX2, ZOLINS_DOCUMENTATION,
                                                ZOLINS_SAMPLES};
  return types;
}

void PrintJson(const nlohmann::json& document) {
  std::cout << document.dump(2) << '\n';
}

std::string Trimmed(const std::string& text) {
  std::string out = text;
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

}  // namespace zoltoc
