// Loading TOC files, and the errors a failed load raises.
#include <sys/stat.h>

#include "Errors.h"
#include "Library.h"
#include "Tables.h"

namespace zolpy {
namespace {

// Loads with `init` (InitMedia or InitInst) without the GIL; a failure raises LoadError with the
// library's message, the file and the line it names.
template <typename Toc, typename Init>
std::shared_ptr<Toc> Load(std::string path, Init init, const char* what) {
  auto toc = std::make_shared<Toc>();
  ZOLUnicodeString message;
  const int loaded = WithLibrary([&] { return ((*toc).*init)(&path[0], message); });
  if (loaded == 1) return toc;
  std::string text = message.str();
  if (text.empty()) text = path + ": empty or unreadable " + what;
  Raise(ErrorKind::Load, MakeError(ErrorKind::Load, text, path, LineOf(text, path)));
}

}  // namespace

std::string PresentPath(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    return path + (path.empty() || path.back() != '/' ? "/" : "") + "control/PRESENT";
  return path;
}

std::shared_ptr<ZOLINSMediaToc> LoadMedia(const std::string& path) {
  return Load<ZOLINSMediaToc>(path, &ZOLINSMediaToc::InitMedia, "media TOC");
}

std::shared_ptr<ZOLINSInstToc> LoadInstalled(const std::string& path) {
  return Load<ZOLINSInstToc>(PresentPath(path), &ZOLINSInstToc::InitInst, "PRESENT file");
}

}  // namespace zolpy
