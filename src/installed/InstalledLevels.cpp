#include <memory>
#include <string>
#include <string_view>

#include "ZOLINSQuery.h"
#include "ZOLINSUnitToc.h"
#include "ZOLToken.h"
#include "base/Message.h"
#include "foundation/Names.h"
#include "installed/QueryState.h"
#include "toc/RecordLine.h"

namespace zol {
namespace {

std::string WithoutLineFeed(const ZOLUnicodeString& line) {
  std::string text = line.str();
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// The GA level of PRESENT's first line, in a new buffer kept until the process ends; null (after
// printing why) when the line does not parse.
char* ReadGALevel(const ZOLUnicodeString& firstLine, const std::string& path) {
  ZOLINSUnitToc record;
  ZOLUnicodeString recordMsg;
  if (ParseRecordLine(record, WithoutLineFeed(firstLine), recordMsg) == -1) {
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
std::string NamePiece(const ZOLUnicodeString& line, int n) {
  ZOLToken fields{ZOLUnicodeString(WithoutLineFeed(line))};
  fields.NextView(':');
  fields.NextView(':');
  ZOLToken pieces{ZOLUnicodeString(std::string(TrimBlanks(fields.NextView(':'))))};
  std::string_view piece;
  for (int i = 0; i < n; ++i) piece = pieces.NextView('.');
  return std::string(piece);
}

}  // namespace

void LoadInstalledLevels(const char* installPath) {
  QueryState& state = Queries();
  if (installPath) state.levelsToLoad = 1;
  if (state.levelsToLoad == 0) return;
  const ZOLUnicodeString path = GetPresentFilePath(installPath);
  if (path.GetLengthInChar() == 0) return;
  long rc = 0;
  QEBReadFile file(path, rc);
  if (rc != 0) {
    PrintMessage(CatalogueMessage("ZOLPelmo", "CheckIntegrity.rOpenFailed", {path.str(), ""},
                                  Format("Cannot open file %s.\n", path.ConvertToChar())));
    return;
  }
  ZOLUnicodeString line;
  if (file.GetNextLine(line) != 0) {
    state.levelsToLoad = 0;
    return;
  }
  if (line.GetLengthInChar() == 0) return;
  char* gaLevel = ReadGALevel(line, path.str());
  if (!gaLevel) return;
  state.gaLevel = gaLevel;
  state.spkLevel = 0;
  state.hfxLevel = 0;

  // The first line gives the GA level only; the last service-pack and hot-fix lines decide.
  std::string spkText;
  std::string hfxText;
  while (file.GetNextLine(line) == 0 && line.GetLengthInChar() > 0) {
    if (line.SearchSubString("code:SPK:", 0, 1) >= 0) spkText = NamePiece(line, 2);
    if (line.SearchSubString("code:HFX:", 0, 1) >= 0) hfxText = NamePiece(line, 3);
  }
  if (!spkText.empty()) ZOLUnicodeString(spkText).ConvertToNum(&state.spkLevel, "%d");
  if (!hfxText.empty()) ZOLUnicodeString(hfxText).ConvertToNum(&state.hfxLevel, "%d");
  state.levelsToLoad = 0;
}

}  // namespace zol

char* ZOLGetGALevel(const char* installPath) {
  zol::Queries().currentEntryName = "ZOLGetGALevel";
  zol::LoadInstalledLevels(installPath);
  return zol::Queries().gaLevel;
}

int ZOLGetSPKLevel(const char* installPath) {
  zol::Queries().currentEntryName = "ZOLGetSPKLevel";
  zol::LoadInstalledLevels(installPath);
  return zol::Queries().spkLevel;
}

int ZOLGetHFXLevel(const char* installPath) {
  zol::Queries().currentEntryName = "ZOLGetHFXlevel";
  zol::LoadInstalledLevels(installPath);
  return zol::Queries().hfxLevel;
}
