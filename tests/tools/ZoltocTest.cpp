#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/Process.h"
#include "support/TestSupport.h"
#include "tools/Zoltoc.h"

namespace {

using nlohmann::json;
using zoltest::kInstall;
using zoltest::kMedia;
using zoltest::ProcessResult;
using zoltest::Zoltoc;

json Json(const ProcessResult& result) {
  EXPECT_EQ(result.status, 0) << result.err;
  return json::parse(result.out);
}

// A copy of the example installation that a test may change.
struct InstallCopy {
  InstallCopy() { EXPECT_EQ(std::system(("cp -r " + kInstall + " " + dir.path()).c_str()), 0); }
  std::string root() const { return dir / "installation"; }
  zoltest::TempDir dir;
};

TEST(Zoltoc, EverySubcommandHasHelpAndUsageErrorsExitWithTwo) {
  const ProcessResult help = Zoltoc({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* command :
       {"packages", "element", "levels", "plan", "record", "checksum", "check"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
    const ProcessResult sub = Zoltoc({command, "--help"});
    EXPECT_EQ(sub.status, 0) << command;
    EXPECT_NE(sub.out.find("--json"), std::string::npos) << command;
  }
  EXPECT_EQ(Zoltoc({}).status, 2);
  EXPECT_EQ(Zoltoc({"levels", "--bogus"}).status, 2);
  EXPECT_EQ(Zoltoc({"packages", "--media", kMedia, "--package", "XYZ"}).status, 2);
}

TEST(Zoltoc, UnreadableInputNamesTheFileAndLine) {
  zoltest::TempDir dir;
  const std::string bad =
      dir.Write("BAD.TOC", "A:3:0:code:PRD:X::::0::::0:L:\nA:4:0:code:FIX:Y::::0::::0:L:\n");
  const ProcessResult result = Zoltoc({"levels", "--media", bad});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("line number 2 from " + bad), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("unknown package: FIX"), std::string::npos);
}

TEST(Zoltoc, PackagesOfTheMediumWithLabels) {
  const json listing = Json(Zoltoc({"packages", "--media", kMedia, "--package", "FWK", "--json"}));
  ASSERT_EQ(listing["elements"].size(), 6u);
  EXPECT_EQ(
      listing["elements"][0],
      (json{
          {"name", "BASEFWK"}, {"type", "code"}, {"package", "FWK"}, {"label", "Base framework"}}));
  EXPECT_EQ(listing["elements"][4]["type"], "rux2");
  EXPECT_EQ(listing["elements"][5]["name"], "ZOLEnglishDOC");
  const ProcessResult text = Zoltoc({"packages", "--install", kInstall, "--package", "PRD"});
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("EDITOR"), std::string::npos);
  EXPECT_EQ(text.out.find("ANALYZER"), std::string::npos);
}

TEST(Zoltoc, ElementRecordAndWhatRequiresIt) {
  const json analyzer = Json(Zoltoc({"element", "ANALYZER", "--media", kMedia, "--json"}));
  EXPECT_EQ(analyzer["prereqs"], (json{"BASEFWK", "NETFWK", "DATAFWK"}));
  EXPECT_EQ(analyzer["ifreqs"][0], (json{{"condition", "EDITOR"}, {"requires", "EDITORPLUGIN"}}));
  EXPECT_EQ(analyzer["requiredBy"], (json{"SIMLINK", "DESIGNSUITE"}));
  EXPECT_EQ(analyzer["media"]["order"], 9);
  const json editor = Json(Zoltoc({"element", "EDITOR", "--media", kMedia, "--json"}));
  EXPECT_EQ(editor["supersedes"], json{"OLDEDIT"});
  EXPECT_EQ(editor["conditionallyRequiredBy"], json::array());
  const json plugin = Json(Zoltoc({"element", "EDITORPLUGIN", "--media", kMedia, "--json"}));
  EXPECT_EQ(plugin["conditionallyRequiredBy"], json{"ANALYZER"});
  const ProcessResult missing = Zoltoc({"element", "NOPE", "--install", kInstall});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("NOPE"), std::string::npos);
}

TEST(Zoltoc, LevelsOfMediumAndInstallation) {
  const json medium = Json(Zoltoc({"levels", "--media", kMedia, "--json"}));
  EXPECT_EQ(medium["os"], "linux");
  EXPECT_EQ(medium["gaLevel"], "R1");
  EXPECT_EQ(medium["spkLevel"], 1);
  EXPECT_EQ(medium["hfxLevel"], 3);
  EXPECT_EQ(medium["hfxName"], "ZOLHF.1.3");
  const json installed = Json(Zoltoc({"levels", "--install", kInstall, "--json"}));
  EXPECT_EQ(installed["spkLevel"], 0);
  EXPECT_EQ(installed["elements"], 7);
}

TEST(Zoltoc, RecordAppendsToPresent) {
  InstallCopy copy;
  const json result =
      Json(Zoltoc({"record", "--media", kMedia, "--install", copy.root(), "NETFWK", "--json"}));
  EXPECT_EQ(result["recorded"], json{"NETFWK"});
  const std::string present = zoltest::ReadFile(copy.root() + "/control/PRESENT");
  EXPECT_NE(present.find("\ncode:FWK:NETFWK::BASEFWK ::700:"), std::string::npos);
  const ProcessResult missing =
      Zoltoc({"record", "--media", kMedia, "--install", copy.root(), "NOPE"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no line for this element"), std::string::npos);
}

TEST(Zoltoc, PlanListsTheClosureInMediaOrder) {
  const json plan =
      Json(Zoltoc({"plan", "--media", kMedia, "--install", kInstall, "ANALYZER", "--json"}));
  EXPECT_TRUE(plan["ok"].get<bool>());
  std::vector<std::string> names;
  for (const auto& e : plan["elements"]) names.push_back(e["name"]);
  // EDITOR is installed, so ANALYZER's conditional prerequisite EDITORPLUGIN comes with it.
  EXPECT_EQ(names, (std::vector<std::string>{"NETFWK", "DATAFWK", "EDITORPLUGIN", "ANALYZER"}));
  EXPECT_EQ(plan["elements"][0]["medium"], "A");
  EXPECT_EQ(plan["total"], 700 + 650 + 300 + 3100 + 400);

  const json archive = Json(Zoltoc({"plan", "--media", kMedia, "--archive", "VIEWER", "--json"}));
  // Nothing installed: VIEWER brings BASEFWK and GUIFWK; archives hold 768 bytes per size unit.
  EXPECT_EQ(archive["total"], (1200 + 900 + 600) * 768 / 1024 + 1);
  const json servicePack = Json(Zoltoc(
      {"plan", "--mode", "spk", "--media", kMedia, "--install", kInstall, "ZOLSP.1", "--json"}));
  EXPECT_EQ(servicePack["elements"].size(), 3u);  // with the fix sets of installed frameworks
}

TEST(Zoltoc, PlanRefusalsAndNothingToInstall) {
  const ProcessResult refused =
      Zoltoc({"plan", "--media", kMedia, "--install", kInstall, "NOPE", "ANALYZER"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("NOPE code is not found on the media"), std::string::npos);
  EXPECT_EQ(refused.out, "");
  const json nothing =
      Json(Zoltoc({"plan", "--media", kMedia, "--install", kInstall, "EDITOR", "--json"}));
  EXPECT_EQ(nothing["elements"], json::array());
  EXPECT_NE(nothing["messages"].get<std::string>().find("Nothing to install"), std::string::npos);
  EXPECT_EQ(Zoltoc({"plan", "--mode", "spk", "--media", kMedia, "ZOLSP.1"}).status, 2);
}

TEST(Zoltoc, CheckOfTheExampleIsClean) {
  const json check = Json(Zoltoc({"check", "--install", kInstall, "--json"}));
  EXPECT_EQ(check["status"], 1);
  EXPECT_EQ(check["findings"], json::array());
  EXPECT_EQ(check["files"], 15);
  EXPECT_GT(check["bytes"].get<long long>(), 0);
}

TEST(Zoltoc, CheckFindsChangedAndMissingFiles) {
  InstallCopy copy;
  zoltest::WriteFile(copy.root() + "/bin/editor", "changed\n");
  ASSERT_EQ(std::remove((copy.root() + "/lib/libgui.so.txt").c_str()), 0);
  const ProcessResult text = Zoltoc({"check", "--install", copy.root()});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out, copy.root() +
                          "/lib/libgui.so.txt: file not found, possible trouble in case "
                          "of removal\n" +
                          copy.root() + "/bin/editor: CheckSum mismatch. Bad or modified file\n" +
                          copy.root() + ": errors found (7 elements, 15 files, level 2)\n");
  for (const char* readers : {"1", "3"})
    EXPECT_EQ(Zoltoc({"check", "--install", copy.root(), "--readers", readers}).out, text.out);
  EXPECT_EQ(Zoltoc({"check", "--install", copy.root(), "--readers", "0"}).status, 2);
  const ProcessResult levelOne = Zoltoc({"check", "--install", copy.root(), "--level", "1"});
  EXPECT_EQ(levelOne.out.find("CheckSum"), std::string::npos);
  EXPECT_EQ(Zoltoc({"check", "--install", copy.root(), "--level", "3"}).status, 2);
}

TEST(Zoltoc, ChecksumRewritesAFileListAsAControlFile) {
  InstallCopy copy;
  const std::string control = copy.root() + "/control/EDITOR";
  zoltest::WriteFile(copy.root() + "/bin/editor", "changed\n");
  zoltest::WriteFile(control, "./bin/editor\n./share/editor/index.QEidx\n./control/EDITOR\n");
  const json written = Json(Zoltoc({"checksum", control, "--json"}));
  EXPECT_EQ(written["control"], control);
  EXPECT_EQ(zoltest::ReadFile(control),
            "./bin/editor 724\n./share/editor/index.QEidx\n./control/EDITOR\n");
  EXPECT_EQ(Json(Zoltoc({"check", "--install", copy.root(), "--json"}))["status"], 1);
  zoltest::WriteFile(control, "./bin/editor notanumber\n");
  EXPECT_EQ(Zoltoc({"checksum", control}).status, 2);
}

// An interrupted check looked at only part of the tree: it never exits as a sound one. The SIGINT
// comes while the check reads a huge (sparse) file, which it then gives up.
TEST(Zoltoc, InterruptedCheckDoesNotExitZero) {
  InstallCopy copy;
  const std::string huge = copy.root() + "/bin/huge";
  zoltest::WriteFile(huge, "");
  ASSERT_EQ(::truncate(huge.c_str(), off_t(1) << 38), 0);
  zoltest::WriteFile(copy.root() + "/control/BASEFWK",
                     zoltest::ReadFile(copy.root() + "/control/BASEFWK") + "./bin/huge 1\n");
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(20);
    std::freopen("/dev/null", "w", stdout);
    ::execl(ZOLTOC_PATH, ZOLTOC_PATH, "check", "--install", copy.root().c_str(), "-q", nullptr);
    ::_exit(127);
  }
  const std::string fds = "/proc/" + std::to_string(child) + "/fd";
  auto reading = [&] {
    std::error_code ignored;
    for (const auto& fd : std::filesystem::directory_iterator(fds, ignored)) {
      if (std::filesystem::read_symlink(fd.path(), ignored) == huge) return true;
    }
    return false;
  };
  const auto start = std::chrono::steady_clock::now();
  while (!reading() && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ::kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
