// packages, element, levels: what a medium offers and what is installed.
#include <cstdio>
#include <memory>

#include "Common.h"
#include "toc/UnboundedQueries.h"

namespace zoltoc {
namespace {

struct PackagesOptions {
  Source source;
  std::vector<std::string> packages;
  std::string type;
  bool visibleOnly = false;
  bool json = false;
};

int RunPackages(const PackagesOptions& options) {
  std::unique_ptr<ZOLINSToc> toc = LoadTable(options.source);
  std::vector<ZOLINSPkg> packages;
  for (const std::string& p : options.packages) packages.push_back(ParsePackage(p));
  if (packages.empty())
    for (int p = 0; p < 10; ++p) packages.push_back(static_cast<ZOLINSPkg>(p));
  std::vector<ZOLINSType> types = RecordTypes();
  if (!options.type.empty()) types = {ParseType(options.type)};

  nlohmann::json elements = nlohmann::json::array();
  for (ZOLINSPkg package : packages) {
    for (ZOLINSType type : types) {
      // Every element, not only the first 4096 that a ZOLINSStockName holds.
      for (const zol::NameAndLabel& found :
           zol::AllOfPackage(*toc, package, type, options.visibleOnly ? 1 : 0)) {
        elements.push_back({{"name", found.name},
                            {"type", TypeName(type)},
                            {"package", PackageName(package)},
                            {"label", found.label ? found.label : ""}});
      }
    }
  }
  if (options.json) {
    PrintJson({{"source", toc->GetFileName()}, {"elements", elements}});
  } else {
    for (const auto& e : elements) {
      std::printf("%-4s %-13s %-24s %s\n", e["package"].get<std::string>().c_str(),
                  e["type"].get<std::string>().c_str(), e["name"].get<std::string>().c_str(),
                  e["label"].get<std::string>().c_str());
    }
  }
  return kOk;
}

struct ElementOptions {
  Source source;
  std::string name;
  std::string type = "code";
  bool json = false;
};

nlohmann::json NamesOf(const ZOLINSToc& toc, const std::vector<int>& indexes) {
  nlohmann::json names = nlohmann::json::array();
  for (int index : indexes) names.push_back(toc.GetIiemeUnitToc(index)->GetName());
  return names;
}

nlohmann::json Describe(const ZOLINSUnitToc& record) {
  nlohmann::json supersedes = nlohmann::json::array(), prereqs = nlohmann::json::array(),
                 ifreqs = nlohmann::json::array(), langSizes = nlohmann::json::array();
  for (int i = 0; i < record.GetNbSupersede(); ++i) supersedes.push_back(record.GetSupersede(i));
  for (int i = 0; i < record.GetNbPrereq(); ++i) prereqs.push_back(record.GetPrereq(i));
  for (int i = 0; i < record.GetNbIfreq(); ++i)
    ifreqs.push_back(
        {{"condition", record.GetIfreq(i)->GetPL()}, {"requires", record.GetIfreq(i)->GetUB()}});
  for (int i = 0; i < record.GetNbLangSize(); ++i) langSizes.push_back(record.GetLangSize(i));
  return {{"name", record.GetName()},
          {"type", TypeName(record.GetType())},
          {"package", PackageName(record.GetPackage())},
          {"label", record.GetLabel() ? record.GetLabel() : ""},
          {"supersedes", supersedes},
          {"prereqs", prereqs},
          {"ifreqs", ifreqs},
          {"sizefs", record.GetSizefs()},
          {"timestamp", record.GetTimestamp()},
          {"os", record.GetOS()},
          {"gaLevel", record.GetGALevel()},
          {"spkLevel", record.GetSPKLevel()},
          {"langSizes", langSizes}};
}

void PrintElement(const nlohmann::json& e) {
  auto list = [](const nlohmann::json& names) {
    std::string text;
    for (const auto& n : names) text += (text.empty() ? "" : " ") + n.get<std::string>();
    return text.empty() ? std::string("-") : text;
  };
  std::printf("%s (%s %s): %s\n", e["name"].get<std::string>().c_str(),
              e["type"].get<std::string>().c_str(), e["package"].get<std::string>().c_str(),
              e["label"].get<std::string>().c_str());
  std::printf("  line:            %s\n", e["line"].get<std::string>().c_str());
  if (e.contains("media")) {
    std::printf("  medium %s, order %d, archive %u bytes\n",
                e["media"]["medium"].get<std::string>().c_str(), e["media"]["order"].get<int>(),
                e["media"]["archiveSize"].get<unsigned>());
  }
  std::printf("  prereqs:         %s\n", list(e["prereqs"]).c_str());
  std::string ifreqs;
  for (const auto& f : e["ifreqs"])
    ifreqs += (ifreqs.empty() ? "" : " ") + f["requires"].get<std::string>() + " when " +
              f["condition"].get<std::string>();
  std::printf("  ifreqs:          %s\n", ifreqs.empty() ? "-" : ifreqs.c_str());
  std::printf("  supersedes:      %s\n", list(e["supersedes"]).c_str());
  std::printf("  superseded by:   %s\n", list(e["supersededBy"]).c_str());
  std::printf("  required by:     %s\n", list(e["requiredBy"]).c_str());
  std::printf("  ifreq'd by:      %s\n", list(e["conditionallyRequiredBy"]).c_str());
}

int RunElement(const ElementOptions& options) {
  std::unique_ptr<ZOLINSToc> toc = LoadTable(options.source);
  const ZOLINSType type = ParseType(options.type);
  const int index = toc->GetIndex(options.name.c_str(), type);
  if (index < 0)
    throw Failure{kFinding,
                  options.name + " (" + options.type + ") is not in " + toc->GetFileName(),
                  toc->GetFileName(), 0, options.name};
  const ZOLINSUnitToc& record = *toc->GetIiemeUnitToc(index);
  nlohmann::json e = Describe(record);
  ZOLUnicodeString line, unused;
  toc->GetIiemeUnitToc(index)->WriteLineToc(line, unused);
  e["line"] = line.str();
  if (auto* media = dynamic_cast<ZOLINSMediaToc*>(toc.get())) {
    const ZOLINSPrefixToc* prefix = media->GetIiemePrefixToc(index);
    e["media"] = {{"medium", std::string(1, prefix->GetMedia() ? prefix->GetMedia() : ' ')},
                  {"order", prefix->GetOrder()},
                  {"archiveSize", prefix->GetSizeCaf()}};
  }
  // Every element, not only the first 4096 that a ZOLINSStockIndex holds.
  e["supersededBy"] = NamesOf(*toc, zol::AllSuperseding(*toc, options.name.c_str(), type));
  e["requiredBy"] = NamesOf(*toc, zol::AllPrerequing(*toc, options.name.c_str(), type));
  e["conditionallyRequiredBy"] = NamesOf(*toc, zol::AllIfrequing(*toc, options.name.c_str(), type));
  if (options.json) {
    PrintJson(e);
  } else {
    PrintElement(e);
  }
  return kOk;
}

struct LevelsOptions {
  Source source;
  bool json = false;
};

int RunLevels(const LevelsOptions& options) {
  std::unique_ptr<ZOLINSToc> toc = LoadTable(options.source);
  const nlohmann::json levels = {{"source", toc->GetFileName()},
                                 {"os", toc->GetOS()},
                                 {"gaLevel", toc->GetGALevel()},
                                 {"spkLevel", toc->GetSPKLevel(1)},
                                 {"previousSpkLevel", toc->GetSPKLevel(0)},
                                 {"hfxLevel", toc->GetHFXLevel()},
                                 {"hfxName", toc->GetHFXName()},
                                 {"elements", toc->GetNbToc()}};
  if (options.json) {
    PrintJson(levels);
  } else {
    std::printf("%s: %d elements\n  OS %s, GA level %s, service pack %d, hot fix %d%s%s\n",
                toc->GetFileName(), toc->GetNbToc(), toc->GetOS(), toc->GetGALevel(),
                toc->GetSPKLevel(1), toc->GetHFXLevel(), *toc->GetHFXName() ? " " : "",
                toc->GetHFXName());
  }
  return kOk;
}

}  // namespace

void AddPackagesCommand(CLI::App& app, int& status) {
  auto [command, options] =
      AddCommand(app, status, "packages", "list elements by package, with labels", RunPackages);
  options.source.AddOptions(*command, false, false);
  command->add_option("--package", options.packages, "package keywords (default: all)");
  command->add_option("--type", options.type,
                      "code, rux2, documentation or samples (default: all)");
  command->add_flag("--visible", options.visibleOnly, "only elements listed in PCFG.list");
  command->add_flag("--json", options.json, "JSON output");
}

void AddElementCommand(CLI::App& app, int& status) {
  auto [command, options] =
      AddCommand(app, status, "element", "one element's record, and what supersedes or requires it",
                 RunElement);
  command->add_option("name", options.name, "element name")->required();
  options.source.AddOptions(*command, false, false);
  command->add_option("--type", options.type, "element type (default: code)");
  command->add_flag("--json", options.json, "JSON output");
}

void AddLevelsCommand(CLI::App& app, int& status) {
  auto [command, options] = AddCommand(
      app, status, "levels", "operating system, GA, service pack and hot fix levels", RunLevels);
  options.source.AddOptions(*command, false, false);
  command->add_flag("--json", options.json, "JSON output");
}

}  // namespace zoltoc
