// plan: which elements of a medium an install needs, in media order, with their size.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "Common.h"

namespace zoltoc {
namespace {

struct PlanOptions {
  std::string media;
  std::string install;
  std::string mode = "general";
  std::string type = "code";
  bool archive = false;
  bool checkPrereqs = false;
  std::vector<std::string> names;
  bool json = false;
};

// The requested names as the library takes them: an array of 48-byte names.
std::unique_ptr<char[][ZOLINS_NAME_SIZE]> NameArray(const std::vector<std::string>& names) {
  std::unique_ptr<char[][ZOLINS_NAME_SIZE]> array(new char[names.size() + 1][ZOLINS_NAME_SIZE]());
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].size() >= ZOLINS_NAME_SIZE)
      throw Failure{kUsage, "element name longer than 47 characters: " + names[i], "", 0, names[i]};
    std::memcpy(array[i], names[i].c_str(), names[i].size() + 1);
  }
  return array;
}

struct Plan {
  std::vector<std::string> names;
  std::vector<std::string> refused;  // requested, left out by the prerequisite check
  unsigned long long total = 0;
  std::string unit;
  bool failed = false;
  std::string messages;
};

nlohmann::json Entries(const ZOLINSMediaToc& media, ZOLINSType type, const Plan& plan) {
  nlohmann::json entries = nlohmann::json::array();
  for (const std::string& name : plan.names) {
    const int index = media.GetIndex(name.c_str(), type);
    const ZOLINSPrefixToc* prefix = media.GetIiemePrefixToc(index);
    const ZOLINSUnitToc* record = media.GetIiemeUnitToc(index);
    entries.push_back(
        {{"name", name},
         {"medium", std::string(1, prefix && prefix->GetMedia() ? prefix->GetMedia() : ' ')},
         {"order", prefix ? prefix->GetOrder() : 0},
         {"sizefs", record ? record->GetSizefs() : 0u},
         {"archiveSize", prefix ? prefix->GetSizeCaf() : 0u},
         {"label", record && record->GetLabel() ? record->GetLabel() : ""}});
  }
  return entries;
}

// One planning call: the names asked in the library's layout, and the names array it hands out.
struct PlanCall {
  explicit PlanCall(const std::vector<std::string>& requested)
      : names(NameArray(requested)), size(static_cast<unsigned>(requested.size())) {}

  // The plan of the call, which returned `total`, or failed, after saying `messages`; takes over
  // the names array.
  Plan Result(bool failed, unsigned long long total, const char* unit, std::string messages) {
    const std::unique_ptr<char[][ZOLINS_NAME_SIZE]> owned(planned);
    Plan plan;
    plan.messages = std::move(messages);
    plan.failed = failed;
    plan.total = failed ? 0 : total;
    plan.unit = unit;
    for (unsigned int i = 0; !failed && planned && i < count; ++i) plan.names.push_back(planned[i]);
    return plan;
  }

  std::unique_ptr<char[][ZOLINS_NAME_SIZE]> names;
  unsigned int size;
  unsigned int count = 0;
  char (*planned)[ZOLINS_NAME_SIZE] = nullptr;
};

// The requested elements that the prerequisite check leaves out: on the medium, not installed,
// and their first prerequisite not installed either.
std::vector<std::string> Refused(const ZOLINSMediaToc& media, const ZOLINSInstToc* inst,
                                 ZOLINSType type, const std::vector<std::string>& names) {
  const auto installed = [&](const char* name) {
    return inst && inst->IsInstalled(name, type) != -1;
  };
  std::vector<std::string> refused;
  for (const std::string& name : names) {
    const ZOLINSUnitToc* record = media.GetIiemeUnitToc(media.GetIndex(name.c_str(), type));
    if (record && !installed(name.c_str()) && record->GetNbPrereq() > 0 &&
        !installed(record->GetPrereq(0)))
      refused.push_back(name);
  }
  return refused;
}

Plan PlanGeneral(ZOLINSMediaToc& media, ZOLINSInstToc* inst, ZOLINSType type,
                 const PlanOptions& options) {
  PlanCall call(options.names);
  ZOLINSToc::sResetInfoMsg();
  media.SetPrereqCheck(options.checkPrereqs ? 1 : 0);
  const int total = media.GetSize(call.names.get(), call.size, type, options.archive ? 1 : 0,
                                  &call.count, call.planned, inst, nullptr, nullptr, nullptr);
  std::string messages = ZOLINSToc::sGetInfoMsg()->str();
  ZOLINSToc::sClearInfoMsg();
  Plan plan = call.Result(total == -1, static_cast<unsigned int>(total),
                          options.archive ? "kilobytes of archives" : "file-system units",
                          std::move(messages));
  if (!plan.failed && options.checkPrereqs && !options.archive)
    plan.refused = Refused(media, inst, type, options.names);
  return plan;
}

Plan PlanGA(ZOLINSMediaToc& media, ZOLINSInstToc* inst, ZOLINSType type,
            const PlanOptions& options) {
  PlanCall call(options.names);
  ZOLUnicodeString msg;
  const unsigned long long total =
      options.mode == "ga"
          ? media.GetSizeGA(call.names.get(), call.size, type, &call.count, call.planned, msg, inst,
                            nullptr)
          : media.GetSizeSPK(call.names[0], type, &call.count, call.planned, msg, inst, nullptr);
  // All bits set is also "nothing to install", which these modes reach only for a request of no
  // names (the command line never makes one) or of installed names, which they refuse.
  return call.Result(total == ~0ULL, total, "file-system units", msg.str());
}

int RunPlan(const PlanOptions& options) {
  const ZOLINSType type = ParseType(options.type);
  std::unique_ptr<ZOLINSMediaToc> media = LoadMedia(options.media);
  std::unique_ptr<ZOLINSInstToc> inst;
  if (!options.install.empty()) inst = LoadInstalled(options.install);
  if ((options.mode == "spk" || options.mode == "hfx") && options.names.size() != 1)
    throw Failure{kUsage, options.mode + " plans one element"};
  if (options.mode == "spk" && !inst) throw Failure{kUsage, "a service pack plan needs --install"};

  Plan plan;
  if (options.mode == "general") {
    plan = PlanGeneral(*media, inst.get(), type, options);
  } else if (options.mode == "hfx") {
    auto names = NameArray(options.names);
    if (media->GetIndex(names[0], type) < 0)
      throw Failure{kFinding,
                    options.names[0] + " (" + options.type + ") is not in " + options.media,
                    options.media, 0, options.names[0]};
    ZOLUnicodeString unused;
    plan.total = media->GetSizeHFX(names.get(), type, unused);
    plan.names = options.names;
    plan.unit = "file-system units";
  } else {
    plan = PlanGA(*media, inst.get(), type, options);
  }

  if (!plan.messages.empty() && !options.json) std::fputs(plan.messages.c_str(), stderr);
  if (!plan.messages.empty() && !options.json && plan.messages.back() != '\n')
    std::fputc('\n', stderr);
  if (plan.failed && !options.json)
    std::fprintf(stderr, "zoltoc: %s: no plan made for the elements asked\n",
                 options.media.c_str());
  const nlohmann::json entries = Entries(*media, type, plan);
  if (options.json) {
    PrintJson({{"mode", options.mode},
               {"type", options.type},
               {"archive", options.archive},
               {"ok", !plan.failed && plan.refused.empty()},
               {"elements", entries},
               {"refused", plan.refused},
               {"total", plan.total},
               {"unit", plan.unit},
               {"messages", plan.messages}});
  } else if (!plan.failed) {
    for (const auto& e : entries)
      std::printf("%-24s medium %s  order %4d  %s %u\n", e["name"].get<std::string>().c_str(),
                  e["medium"].get<std::string>().c_str(), e["order"].get<int>(),
                  options.archive ? "archive bytes" : "size",
                  e[options.archive ? "archiveSize" : "sizefs"].get<unsigned>());
    std::printf("%zu element(s), total %llu %s\n", plan.names.size(), plan.total,
                plan.unit.c_str());
  }
  for (const std::string& name : plan.refused)
    std::fprintf(stderr, "zoltoc: %s: %s (%s) refused: its first prerequisite is not installed\n",
                 options.media.c_str(), name.c_str(), options.type.c_str());
  return plan.failed || !plan.refused.empty() ? kFinding : kOk;
}

}  // namespace

void AddPlanCommand(CLI::App& app, int& status) {
  auto [command, options] = AddCommand(
      app, status, "plan",
      "plan an install: the elements needed, in media order, with media and total size", RunPlan);
  command->add_option("names", options.names, "requested element names")->required();
  command->add_option("--media", options.media, "media TOC file")
      ->required()
      ->check(CLI::ExistingFile);
  command->add_option("--install", options.install, "installation root (holds control/PRESENT)")
      ->check(CLI::ExistingDirectory);
  command->add_option("--mode", options.mode, "general (default), ga, spk or hfx")
      ->check(CLI::IsMember({"general", "ga", "spk", "hfx"}));
  command->add_option("--type", options.type, "element type (default: code)");
  command->add_flag("--archive", options.archive, "size the archives to copy (general mode)");
  command->add_flag("--check-prereqs", options.checkPrereqs,
                    "refuse requested elements whose first prerequisite is not installed");
  command->add_flag("--json", options.json, "JSON output");
}

}  // namespace zoltoc
