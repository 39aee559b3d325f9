#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "ZOLFile.h"
#include "ZOLINSToc.h"
#include "base/Files.h"
#include "base/Message.h"
#include "foundation/Names.h"
#include "toc/InfoMessage.h"
#include "toc/NameIndex.h"
#include "toc/RecordLine.h"
#include "toc/TocState.h"
#include "toc/TocStorage.h"

namespace {

// Splits `text` into its lines that end with a line feed, each turned into a NUL-terminated text
// in place (so a line holding a NUL byte ends there, as a C string would). Returns where the last
// line's NUL stands (0 when there is no line).
template <typename Text>
std::size_t SplitTerminatedLines(Text& text, std::vector<std::size_t>& starts) {
  std::size_t begin = 0;
  const std::size_t size = text.size();
  while (begin < size) {
    const void* found = std::memchr(&text[begin], '\n', size - begin);
    const std::size_t end = found ? static_cast<const char*>(found) - &text[0] : size;
    if (!found) break;
    text[end] = '\0';
    starts.push_back(begin);
    begin = end + 1;
  }
  return begin == 0 ? 0 : begin - 1;
}

}  // namespace

ZOLINSToc::ZOLINSToc() : d_(new zol::TocState) {
  zol::RetireInfoCopy(strMsg);
  strMsg = nullptr;
}

ZOLINSToc::~ZOLINSToc() {
  d_->store->index.reset();
  d_->store->records.clear();
  d_->visibleNames.clear();
  zol::ReleaseInfoCopy();
  d_->trace.reset();
  d_->store.reset();
  std::free(d_->fileName);
}

void ZOLINSToc::Clear() {
  d_->store.reset(new zol::TocStorage);
  d_->visibleNames.clear();
  d_->allVisible = 1;
  std::free(d_->fileName);
  d_->fileName = nullptr;
  d_->nbToc = -1;
}

int ZOLINSToc::Init(char* path, ZOLUnicodeString& message) {
  Clear();
  if (!path) return -1;
  d_->fileName = ::strdup(path);
  d_->trace->TraPrint("ZOLINSToc::Init DEBUT file = %s\n", path);
  if (ZOLFileAccess(path, 0) == -1) {
    message = zol::Message("ZOLINSToc.Error_Init3", "ZOLINSToc::file %s  not found\n", path);
    return -1;
  }
  try {
    zol::ReadWholeFile(path, d_->store->text);
    // Room for lines of 64 bytes on average (TOC lines are longer): growing the vector line by
    // line would leave its outgrown copies behind in the heap, half as large again.
    d_->store->lineStarts.reserve(d_->store->text.size() / 64 + 16);
    d_->store->lastLineEnd = SplitTerminatedLines(d_->store->text, d_->store->lineStarts);
    // Lists and labels take about half as much as the text they come from.
    d_->store->arena.Expect(d_->store->text.size() / 2);
    const int count = static_cast<int>(d_->store->lineStarts.size());
    if (count == 0) return -1;
    d_->trace->TraPrint("ZOLINSToc::Init: NbToc = %d\n", count);
    try {
      d_->store->records.reserve(d_->store->lineStarts.size());
    } catch (const std::bad_alloc&) {
      message =
          zol::Message("ZOLINSToc.Error_Allocate",
                       "ZOLINSToc::Init unable to allocate %d entries from %s\n", count, path);
      return -1;
    }
    // One pass over tens of megabytes of new records: each gets its storage as it is made.
    for (int i = 0; i < count; ++i) d_->store->records.emplace_back().arena_ = &d_->store->arena;
    LoadVisibleNames(path);
    d_->nbToc = count;
    return 1;
  } catch (const std::bad_alloc&) {
    Clear();
    return -1;
  }
}

void ZOLINSToc::LoadVisibleNames(const std::string& tocPath) {
  const std::size_t slash = tocPath.rfind('/');
  const std::string pcfg =
      (slash == std::string::npos ? tocPath : tocPath.substr(0, slash)) + "/PCFG.list";
  if (ZOLFileAccess(pcfg.c_str(), 0) != 0) return;
  d_->allVisible = 0;
  std::string text;
  std::vector<std::size_t> starts;
  zol::ReadWholeFile(pcfg, text);
  SplitTerminatedLines(text, starts);
  for (std::size_t start : starts)
    d_->visibleNames.insert(std::string(text.c_str() + start).substr(0, ZOLINS_NAME_SIZE - 1));
}

ZOLINSUnitToc& ZOLINSToc::Record(int i) const {
  return d_->store->Record(i);
}

int ZOLINSToc::SlotOf(int i) const {
  return d_->store->SlotOf(i);
}

int ZOLINSToc::PositionOfSlot(int slot) const {
  return slot < 0 ? -1 : d_->store->PositionOf(slot);
}

ZOLINSUnitToc* ZOLINSToc::GetIiemeUnitToc(int i) const {
  if (i < 0 || i >= d_->nbToc) return nullptr;
  return &Record(i);
}

const char* ZOLINSToc::GetLine(int i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= d_->store->lineStarts.size()) return nullptr;
  return d_->store->text.data() + d_->store->lineStarts[static_cast<std::size_t>(i)];
}

void ZOLINSToc::RecordsChanged() const {
  d_->store->index.reset();
}

int ZOLINSToc::GetIndex(const char* name, const ZOLINSType type) const {
  if (d_->nbToc <= 0 || !name) return -1;
  return PositionOfSlot(d_->store->Index().Find(name, type));
}

int ZOLINSToc::GetIndexAnyType(const char* name) const {
  if (d_->nbToc <= 0 || !name) return -1;
  return PositionOfSlot(d_->store->Index().FindAnyType(name));
}

int ZOLINSToc::GetNbToc() const {
  return d_->nbToc;
}
char* ZOLINSToc::GetOS() {
  return d_->os;
}
char* ZOLINSToc::GetGALevel() {
  return d_->gaLevel;
}
int ZOLINSToc::GetSPKLevel(int which) const {
  return which == 1 ? d_->spkLevel : d_->previousSpkLevel;
}
int ZOLINSToc::GetHFXLevel() {
  return d_->hfxLevel;
}
char* ZOLINSToc::GetHFXName() {
  return d_->hfxName;
}
const char* ZOLINSToc::GetFileName() const {
  return d_->fileName;
}
void ZOLINSToc::FailLoad() {
  d_->nbToc = -1;
}
ZOLTrace& ZOLINSToc::Trace() const {
  return *d_->trace;
}
bool ZOLINSToc::TraceOn() const {
  return d_->trace->IsActive() != 0;
}

int ZOLINSToc::IsVisible(const char* name) const {
  if (d_->allVisible) return 1;
  if (!name) return 0;
  // Visible names are kept as 48-byte names are: 47 characters at most.
  return d_->visibleNames.count(std::string(name, ::strnlen(name, ZOLINS_NAME_SIZE - 1))) ? 1 : 0;
}

int ZOLINSToc::ParseRecords(ZOLUnicodeString& msg, const char* failureFormat,
                            PrefixReader beforeRecord, void* context) {
  ZOLUnicodeString recordMsg;
  d_->levels = zol::LevelScan();
  for (int i = 0; i < d_->nbToc; ++i) {
    zol::FieldReader fields(d_->store->LineToFeed(static_cast<std::size_t>(i)));
    if (beforeRecord) beforeRecord(context, i, fields);
    ZOLINSUnitToc& record = Record(i);
    if (record.Parse(fields, recordMsg) == 1) {
      d_->levels.Add(i, record);
      continue;
    }
    msg = zol::Message("ZOLINSInstToc.Error_Init", failureFormat, i + 1, d_->fileName);
    msg.Append(recordMsg);
    FailLoad();
    return -1;
  }
  RecordsChanged();
  return 1;
}
