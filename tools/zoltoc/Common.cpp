#include "Common.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "LoadFailure.h"

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

namespace {
// A FIFO or a device is never handed to the loaders: reading it could block, or never end.
void RefuseNonRegular(const std::string& path, bool media) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
    throw LoadFailure(path, "", media);
}
}  // namespace

std::unique_ptr<ZOLINSMediaToc> LoadMedia(const std::string& path) {
  RefuseNonRegular(path, true);
  auto toc = std::make_unique<ZOLINSMediaToc>();
  std::string copy = path;
  ZOLUnicodeString message;
  if (toc->InitMedia(&copy[0], message) != 1) throw LoadFailure(path, message.str(), true);
  WarnUnterminated(path, toc->GetNbToc());
  return toc;
}

std::unique_ptr<ZOLINSInstToc> LoadInstalled(const std::string& root) {
  auto toc = std::make_unique<ZOLINSInstToc>();
  std::string path = root + "/control/PRESENT";
  RefuseNonRegular(path, false);
  ZOLUnicodeString message;
  if (toc->InitInst(&path[0], message) != 1) throw LoadFailure(path, message.str(), false);
  WarnUnterminated(path, toc->GetNbToc());
  return toc;
}

bool HoldsRecords(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !(S_ISREG(info.st_mode) && info.st_size == 0);
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
  std::cout << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

namespace {
bool jsonErrors = false;

std::string Located(const Failure& failure) {
  std::string where = failure.file;
  if (failure.line > 0) where += ":" + std::to_string(failure.line);
  return where.empty() ? failure.detail : where + ": " + failure.detail;
}
}  // namespace

void SetJsonErrors(bool on) {
  jsonErrors = on;
}

int Report(const Failure& failure) {
  std::string text = failure.message;
  if (!failure.detail.empty()) text += (text.empty() ? "" : "\n") + Located(failure);
  if (text.empty()) text = "failed";        // never a blank line
  const std::string prefix = "\nzoltoc: ";  // every line of a message says where it comes from
  std::string printed = text;
  for (std::size_t at = 0; (at = printed.find('\n', at)) != std::string::npos; at += prefix.size())
    printed.replace(at, 1, prefix);
  std::fprintf(stderr, "zoltoc: %s\n", printed.c_str());
  if (jsonErrors) {
    const auto orNull = [](const std::string& s) {
      return s.empty() ? nlohmann::json() : nlohmann::json(s);
    };
    PrintJson(nlohmann::json{
        {"error",
         {{"code", failure.status},
          {"message", text},
          {"file", orNull(failure.file)},
          {"line", failure.line > 0 ? nlohmann::json(failure.line) : nlohmann::json()},
          {"element", orNull(failure.element)}}}});
  }
  return failure.status;
}

void Warn(const std::string& text) {
  std::fprintf(stderr, "zoltoc: warning: %s\n", text.c_str());
}

void GuardStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // Read-only: a closed standard output or error stays unwritable, and reports it.
    const int placeholder = ::open("/dev/null", O_RDONLY);
    if (placeholder != -1 && placeholder != fd) {
      ::dup2(placeholder, fd);
      ::close(placeholder);
    }
  }
}

int FinishOutput(int status) {
  std::cout.flush();
  const bool coutFailed = !std::cout;
  const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) || coutFailed;
  const int error = errno;
  if (std::fclose(stdout) != 0 || failed) {
    std::fprintf(stderr, "zoltoc: standard output: %s\n",
                 std::strerror(failed && error ? error : errno));
    return kUsage;
  }
  return status;
}

std::string Trimmed(const std::string& text) {
  std::string out = text;
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

}  // namespace zoltoc
