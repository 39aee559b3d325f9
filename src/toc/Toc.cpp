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
#include "toc/TocStorage.h"

namespace {

// Splits `text` into its lines that end with a line feed, each turned into a NUL-terminated text
// in place (so a line holding a NUL byte ends there, as a C string would).
template <typename Text>
void SplitTerminatedLines(Text& text, std::vector<std::size_t>& starts) {
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
}

}  // namespace

ZOLINSToc::ZOLINSToc()
    : fileName_(nullptr),
      nbToc_(-1),
      store_(new zol::TocStorage),
      spkLevel_(0),
      previousSpkLevel_(0),
      hfxLevel_(0),
      trace_(new ZOLTrace("TOC", "", 0, "STDERR", 1024)),
      allVisible_(1) {
  os_[0] = gaLevel_[0] = hfxName_[0] = '\0';
  zol::RetireInfoCopy(strMsg);
  strMsg = nullptr;
}

ZOLINSToc::~ZOLINSToc() {
  store_->index.reset();
  store_->records.clear();
  visibleNames_.clear();
  zol::ReleaseInfoCopy();
  trace_.reset();
  store_.reset();
  std::free(fileName_);
}

void ZOLINSToc::Clear() {
  store_.reset(new zol::TocStorage);
  visibleNames_.clear();
  allVisible_ = 1;
  std::free(fileName_);
  fileName_ = nullptr;
  nbToc_ = -1;
}

int ZOLINSToc::Init(char* path, ZOLUnicodeString& message) {
  Clear();
  if (!path) return -1;
  fileName_ = ::strdup(path);
  trace_->TraPrint("ZOLINSToc::Init DEBUT file = %s\n", path);
  if (ZOLFileAccess(path, 0) == -1) {
    message = zol::Message("ZOLINSToc.Error_Init3", "ZOLINSToc::file %s  not found\n", path);
    return -1;
  }
  try {
    zol::ReadWholeFile(path, store_->text);
    SplitTerminatedLines(store_->text, store_->lineStarts);
    const int count = static_cast<int>(store_->lineStarts.size());
    if (count == 0) return -1;
    trace_->TraPrint("ZOLINSToc::Init: NbToc = %d\n", count);
    try {
      store_->records.resize(store_->lineStarts.size());
    } catch (const std::bad_alloc&) {
      message =
          zol::Message("ZOLINSToc.Error_Allocate",
                       "ZOLINSToc::Init unable to allocate %d entries from %s\n", count, path);
      return -1;
    }
    for (ZOLINSUnitToc& record : store_->records) record.arena_ = &store_->arena;
    LoadVisibleNames(path);
    nbToc_ = count;
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
  allVisible_ = 0;
  std::string text;
  std::vector<std::size_t> starts;
  zol::ReadWholeFile(pcfg, text);
  SplitTerminatedLines(text, starts);
  for (std::size_t start : starts)
    visibleNames_.insert(std::string(text.c_str() + start).substr(0, ZOLINS_NAME_SIZE - 1));
}

ZOLINSUnitToc& ZOLINSToc::Record(int i) const {
  return store_->Record(i);
}

int ZOLINSToc::SlotOf(int i) const {
  return store_->SlotOf(i);
}

int ZOLINSToc::PositionOfSlot(int slot) const {
  return slot < 0 ? -1 : store_->PositionOf(slot);
}

ZOLINSUnitToc* ZOLINSToc::GetIiemeUnitToc(int i) const {
  if (i < 0 || i >= nbToc_) return nullptr;
  return &Record(i);
}

const char* ZOLINSToc::GetLine(int i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= store_->lineStarts.size()) return nullptr;
  return store_->text.data() + store_->lineStarts[static_cast<std::size_t>(i)];
}

void ZOLINSToc::RecordsChanged() const {
  store_->index.reset();
}

int ZOLINSToc::GetIndex(const char* name, const ZOLINSType type) const {
  if (nbToc_ <= 0 || !name) return -1;
  return PositionOfSlot(store_->Index().Find(name, type));
}

int ZOLINSToc::GetIndexAnyType(const char* name) const {
  if (nbToc_ <= 0 || !name) return -1;
  return PositionOfSlot(store_->Index().FindAnyType(name));
}

int ZOLINSToc::IsVisible(const char* name) const {
  if (allVisible_) return 1;
  if (!name) return 0;
  // Visible names are kept as 48-byte names are: 47 characters at most.
  return visibleNames_.count(std::string(name, ::strnlen(name, ZOLINS_NAME_SIZE - 1))) ? 1 : 0;
}

int ZOLINSToc::ParseRecords(ZOLUnicodeString& msg, const char* failureFormat,
                            const std::function<void(int, zol::FieldReader&)>& beforeRecord) {
  ZOLUnicodeString recordMsg;
  for (int i = 0; i < nbToc_; ++i) {
    zol::FieldReader fields(GetLine(i));
    if (beforeRecord) beforeRecord(i, fields);
    if (Record(i).Parse(fields, recordMsg) == 1) continue;
    msg = zol::Message("ZOLINSInstToc.Error_Init", failureFormat, i + 1, fileName_);
    msg.Append(recordMsg);
    FailLoad();
    return -1;
  }
  RecordsChanged();
  return 1;
}
