#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "ZOLINSPresent.h"
#include "base/InstallLock.h"
#include "base/LineReader.h"
#include "base/Message.h"
#include "installed/DocPrereqUpdate.h"
#include "installed/DocPresent.h"
#include "installed/PresentAppend.h"
#include "toc/RecordLine.h"

namespace {

// The element name of a media TOC line: its sixth field, behind the medium, order and archive
// size and the record's type and package. Trimmed of blanks the way the record parser trims it,
// so that the line matches exactly the name its record would carry.
bool NameOfMediaLine(std::string_view line, std::string_view& name) {
  const std::size_t start = zol::NthSeparator(line, 5);
  if (start == std::string_view::npos) return false;
  const std::size_t end = line.find(':', start + 1);
  name = zol::TrimBlanks(
      line.substr(start + 1, end == std::string_view::npos ? end : end - start - 1));
  return true;
}

// The record line of `name` in the medium's TOC file: its line without the three media fields.
// Returns 0, -10 when the file cannot be opened, -300 when no line names the element.
int FindRecordLine(const char* tocPath, const char* name, std::string& record) {
  zol::LineReader reader(tocPath ? tocPath : "");
  if (!reader.IsOpen()) return -10;
  std::string_view line;
  bool hadNewline = false;
  while (name && reader.Next(line, hadNewline)) {
    std::string_view lineName;
    if (!NameOfMediaLine(line, lineName) || lineName != name) continue;
    record.assign(line.substr(zol::NthSeparator(line, 3) + 1));
    return 0;
  }
  return -300;
}

}  // namespace

int UpdatePresentFromToc(const char* tocPath, char* name, const char* presentPath,
                         ZOLINSMediaToc* media) {
  std::string record;
  const int found = FindRecordLine(tocPath, name, record);
  if (found != 0) return found;
  const bool docProduct = zol::IsRecordedDocProduct(name);
  // Reading PRESENT and writing it back is one step for other writers of the installation.
  std::optional<zol::InstallLock> lock;
  if (presentPath && *presentPath) lock.emplace(presentPath);
  if (lock && lock->GetState() == zol::InstallLock::State::Busy) {
    zol::PrintMessage(ZOLUnicodeString(lock->Reason().c_str()));
    return docProduct ? -100 : -200;
  }
  if (docProduct) return zol::CompleteDocPrerequisites(name, presentPath, media);
  return zol::AppendPresentLine(presentPath, name, std::move(record));
}
