#include "installed/InstalledLevels.h"

#include <memory>
#include <string>
#include <string_view>

#include "ZOLINSQuery.h"
#include "ZOLINSUnitToc.h"
#include "ZOLToken.h"
#include "base/LineReader.h"
#include "base/Message.h"
#include "foundation/Names.h"
#include "installed/PresentPath.h"
#include "installed/QueryState.h"
#include "toc/RecordLine.h"

namespace zol {
namespace {

// A line as the levels reader takes it: a C text, up to its first NUL byte.
std::string_view CText(std::string_view line) {
  return line.substr(0, line.find('\0'));
}

// A line that starts with a NUL byte reads as an empty text, which ends PRESENT for the levels.
bool EndsLevels(std::string_view line) {
  return !line.empty() && line.front() == '\0';
}

// The GA level of PRESENT's first line, in a new buffer kept until the process ends; null (after
// printing why) when the line does not parse.
char* ReadGALevel(std::string_view firstLine, const std::string& path) {
  ZOLINSUnitToc record;
  ZOLUnicodeString recordMsg;
  if (ParseRecordLine(record, std::string(CText(firstLine)), recordMsg) == -1) {
    ZOLUnicodeString msg =
        Message("ZOLINSInstToc.Error_Init",
                "ZOLINSInstToc: Init of line number %d from %s failed\n", 1, path);
    PrintMessage(msg.Append(recordMsg));
    return nullptr;
  }
  auto buffer = std::make_unique<char[]>(8);
  CopyCut(buffer.get(), 8, record.GetGALevel());
  Queries().gaLevelBuffers.push_back(std::move(buffer));
  return Queries().gaLevelBuffers.back().get();
}

// Piece `n` (from 1) of the element name of a "code:SPK:" or "code:HFX:" line, cut at ".".
std::string NamePiece(std::string_view line, int n) {
  ZOLToken fields{ZOLUnicodeString(std::string(line))};
  fields.NextView(':');
  fields.NextView(':');
  ZOLToken pieces{ZOLUnicodeString(std::string(TrimBlanks(fields.NextView(':'))))};
  std::string_view piece;
  for (int i = 0; i < n; ++i) piece = pieces.NextView('.');
  return std::string(piece);
}

}  // namespace

void LoadInstalledLevels(const char* installPath, const char* entryName) {
  QueryState& state = Queries();
  if (installPath) state.levelsToLoad = 1;
  if (state.levelsToLoad == 0) return;
  const std::string path = GetPresentFilePath(installPath, entryName).str();
  if (path.empty()) return;
  LineReader file(path);
  if (!file.IsOpen()) {
    PrintMessage(CatalogueMessage("ZOLPelmo", "CheckIntegrity.rOpenFailed", {path, ""},
                                  Format("Cannot open file %s.\n", path.c_str())));
    return;
  }
  std::string_view line;
  bool hadNewline = false;
  if (!file.Next(line, hadNewline)) {
    state.levelsToLoad = 0;
    return;
  }
  if (EndsLevels(line)) return;
  char* gaLevel = ReadGALevel(line, path);
  if (!gaLevel) return;
  state.gaLevel = gaLevel;
  state.spkLevel = 0;
  state.hfxLevel = 0;

  // The first line gives the GA level only; the last service-pack and hot-fix lines decide.
  std::string spkText;
  std::string hfxText;
  while (file.Next(line, hadNewline) && !EndsLevels(line)) {
    line = CText(line);
    if (line.find("code:SPK:") != std::string_view::npos) spkText = NamePiece(line, 2);
    if (line.find("code:HFX:") != std::string_view::npos) hfxText = NamePiece(line, 3);
  }
  if (!spkText.empty()) ZOLUnicodeString(spkText).ConvertToNum(&state.spkLevel, "%d");
  if (!hfxText.empty()) ZOLUnicodeString(hfxText).ConvertToNum(&state.hfxLevel, "%d");
  state.levelsToLoad = 0;
}

}  // namespace zol

char* ZOLGetGALevel(const char* installPath) {
  zol::LoadInstalledLevels(installPath, "ZOLGetGALevel");
  return zol::Queries().gaLevel;
}

int ZOLGetSPKLevel(const char* installPath) {
  zol::LoadInstalledLevels(installPath, "ZOLGetSPKLevel");
  return zol::Queries().spkLevel;
}

int ZOLGetHFXLevel(const char* installPath) {
  zol::LoadInstalledLevels(installPath, "ZOLGetHFXlevel");
  return zol::Queries().hfxLevel;
}
