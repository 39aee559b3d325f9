#include "integrity/ControlText.h"

#include <algorithm>

#include "ZOLINSIntegrity.h"
#include "foundation/Names.h"

namespace zol {
namespace {
constexpr std::string_view kControlDir = "control";
// The size of the caller's buffer that InitializeFilesListLine fills.
constexpr std::size_t kBaseSize = 256;
}  // namespace

// The self line, as the check finds it: its last component, up to a blank, is the element's name
// and the seven characters before the "/" that precedes it are "control". This is looser than the
// rule of the control file's writer (ClassifyListLine: a whole component "control", at least two
// "/"), and deliberately so: the check has always read existing control files this way, so that
// "./xcontrol/E" counts here. A line naming the element in any other directory is not the self
// line.
int SelfLineClimb(std::string_view text, std::string_view element) {
  int climb = 0;
  bool found = false;
  ForEachControlLine(text, [&](std::string_view line) {
    if (found) return;
    const std::size_t slash = line.rfind('/');
    if (slash == std::string_view::npos || slash < kControlDir.size()) return;
    if (LinePath(line.substr(slash + 1)) != element) return;
    if (line.substr(slash - kControlDir.size(), kControlDir.size()) != kControlDir) return;
    found = true;
    climb = static_cast<int>(std::count(line.begin(), line.end(), '/')) - 2;
  });
  return climb;
}

std::string FilesBase(std::string_view installPath, std::string_view text,
                      std::string_view element) {
  std::string base(installPath);
  if (base.empty() || base.back() != '/') base += '/';
  const int climb = SelfLineClimb(text, element);
  if (climb <= 0) {
    base.pop_back();
    return base;
  }
  // Keep the text before the (slashes - climb)-th "/": the root less its last `climb` components.
  const int keep = static_cast<int>(std::count(base.begin(), base.end(), '/')) - climb;
  if (keep < 1) return base;
  std::size_t slash = base.find('/');
  for (int i = 1; i < keep; ++i) slash = base.find('/', slash + 1);
  base.resize(slash);
  return base;
}

}  // namespace zol

int GetNbPPSlash(char* controlText, char* elementName) {
  if (!controlText || !elementName) return 0;
  return zol::SelfLineClimb(controlText, elementName);
}

void InitializeFilesListLine(char* base, char* installPath, char* controlText, char* elementName) {
  if (!base) return;
  const std::string result =
      zol::FilesBase(installPath ? installPath : "", controlText ? controlText : "",
                     elementName ? elementName : "");
  zol::CopyCut(base, zol::kBaseSize, result);
}
