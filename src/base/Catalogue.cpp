#include "base/Catalogue.h"

#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "base/LineReader.h"
#include "base/PathList.h"
#include "base/Text.h"

namespace zol {
namespace {

struct LoadedCatalogue {
  off_t size = -1;
  struct timespec mtime = {};
  std::unordered_map<std::string, std::string> texts;
};

// Catalogues may come from other systems: carriage returns go with the blanks and tabs.
std::string_view Trim(std::string_view text) {
  return TrimAny(text, " \t\r");
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
  }
  return out;
}

// "key = text" lines; '#' starts a comment line; the first definition of a key wins.
void Parse(const std::string& path, LoadedCatalogue& into) {
  into.texts.clear();
  LineReader reader(path);
  std::string_view line;
  bool newline = false;
  while (reader.Next(line, newline)) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string key(Trim(trimmed.substr(0, eq)));
    into.texts.emplace(key, Unescape(TrimAny(trimmed.substr(eq + 1), " \t")));
  }
}

std::vector<std::string> CandidateFiles(const std::string& catalogue) {
  std::vector<std::string> files;
  const char* path = std::getenv("ZOL_MSGCAT_PATH");
  if (!path || !*path) return files;
  const std::string language = LanguageOf(std::getenv("LANG"));
  const std::string name = catalogue + ".msgcat";
  for (const std::string_view entry : SplitPathList(path, EmptyEntry::kSkip)) {
    const std::string dir(entry);
    if (!language.empty()) files.push_back(dir + "/" + language + "/" + name);
    files.push_back(dir + "/" + name);
  }
  return files;
}

}  // namespace

std::optional<std::string> LookUpCatalogue(const std::string& catalogue, const std::string& key) {
  static std::mutex mutex;
  static std::map<std::string, LoadedCatalogue> cache;
  for (const std::string& file : CandidateFiles(catalogue)) {
    struct stat info;
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    std::lock_guard<std::mutex> lock(mutex);
    LoadedCatalogue& loaded = cache[file];
    if (loaded.size != info.st_size || loaded.mtime.tv_sec != info.st_mtim.tv_sec ||
        loaded.mtime.tv_nsec != info.st_mtim.tv_nsec) {
      Parse(file, loaded);
      loaded.size = info.st_size;
      loaded.mtime = info.st_mtim;
    }
    const auto found = loaded.texts.find(key);
    if (found != loaded.texts.end()) return found->second;
  }
  return std::nullopt;
}

std::string FillParameters(const std::string& text, const std::vector<std::string>& parameters) {
  std::string out;
  out.reserve(text.size() + 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '%' && next == '%') {
      out += '%';
      ++i;
    } else if (text[i] == '%' && next >= '1' && next <= '9') {
      const std::size_t index = static_cast<std::size_t>(next - '1');
      if (index < parameters.size()) out += parameters[index];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string LanguageOf(const char* lang) {
  if (!lang) return std::string();
  const std::string_view value(lang);
  const std::string_view language = value.substr(0, value.find_first_of("_.@"));
  if (language == "C" || language == "POSIX") return std::string();
  return std::string(language);
}

}  // namespace zol
