#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "ZOLFile.h"
#include "ZOLINSToc.h"
#include "base/LineReader.h"
#include "base/Message.h"
#include "foundation/Names.h"
#include "toc/InfoMessage.h"
#include "toc/NameIndex.h"

namespace {

// The file's lines that end with a line feed, without it, cut at a NUL byte as a C string would
// be; `longest` is the longest line counted with its line feed.
bool ReadTerminatedLines(const std::string& path, std::vector<ZOLUnicodeString>& lines,
                         std::size_t& longest) {
  zol::LineReader reader(path);
  std::string_view line;
  bool newline = false;
  longest = 0;
  while (reader.Next(line, newline)) {
    longest = std::max(longest, line.size() + (newline ? 1 : 0));
    if (!newline) break;
    lines.emplace_back(std::string(line.substr(0, line.find('\0'))));
  }
  return reader.IsOpen();
}

}  // namespace

ZOLINSToc::ZOLINSToc()
    : fileName_(nullptr),
      nbToc_(-1),
      lineSize_(0),
      spkLevel_(0),
      previousSpkLevel_(0),
      hfxLevel_(0),
      nbVisible_(0),
      trace_(new ZOLTrace("TOC", "", 0, "STDERR", 1024)),
      traceOn_(trace_->IsActive()),
      allVisible_(1) {
  os_[0] = gaLevel_[0] = hfxName_[0] = '\0';
  zol::RetireInfoCopy(strMsg);
  strMsg = nullptr;
}

ZOLINSToc::~ZOLINSToc() {
  records_.clear();
  index_.reset();
  visibleNames_.clear();
  zol::ReleaseInfoCopy();
  trace_.reset();
  lines_.clear();
  std::free(fileName_);
}

void ZOLINSToc::Clear() {
  records_.clear();
  index_.reset();
  lines_.clear();
  visibleNames_.clear();
  nbVisible_ = 0;
  allVisible_ = 1;
  std::free(fileName_);
  fileName_ = nullptr;
  nbToc_ = -1;
}

int ZOLINSToc::Init(char* path, ZOLUnicodeString& message) {
  Clear();
  if (!path) return -1;
  fileName_ = ::strdup(path);
  if (traceOn_) trace_->TraPrint("ZOLINSToc::Init DEBUT file = %s\n", path);
  if (ZOLFileAccess(path, 0) == -1) {
    message = zol::Message("ZOLINSToc.Error_Init3", "ZOLINSToc::file %s  not found\n", path);
    return -1;
  }
  try {
    std::size_t longest = 0;
    ReadTerminatedLines(path, lines_, longest);
    lineSize_ = static_cast<int>(std::min<std::size_t>(longest, INT_MAX - 32)) + 32;
    const int count = static_cast<int>(lines_.size());
    if (count == 0) return -1;
    if (traceOn_) trace_->TraPrint("ZOLINSToc::Init: NbToc = %d\n", count);
    try {
      records_.resize(lines_.size());
    } catch (const std::bad_alloc&) {
      message =
          zol::Message("ZOLINSToc.Error_Allocate",
                       "ZOLINSToc::Init unable to allocate %d entries from %s\n", count, path);
      return -1;
    }
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
  std::vector<ZOLUnicodeString> names;
  std::size_t longest = 0;
  ReadTerminatedLines(pcfg, names, longest);
  for (const ZOLUnicodeString& name : names) visibleNames_.insert(name.str().substr(0, 47));
  nbVisible_ = static_cast<int>(names.size());
}

ZOLINSUnitToc* ZOLINSToc::GetIiemeUnitToc(int i) const {
  if (i < 0 || i >= nbToc_) return nullptr;
  return const_cast<ZOLINSUnitToc*>(&records_[static_cast<std::size_t>(i)]);
}

const char* ZOLINSToc::GetLine(int i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= lines_.size()) return nullptr;
  return lines_[static_cast<std::size_t>(i)].ConvertToChar();
}

void ZOLINSToc::RecordsChanged() const {
  index_.reset();
}

int ZOLINSToc::GetIndex(const char* name, const ZOLINSType type) const {
  if (nbToc_ <= 0 || !name) return -1;
  if (!index_) index_.reset(new zol::NameIndex(records_, nbToc_));
  return index_->Find(name, type);
}

int ZOLINSToc::IsVisible(const char* name) const {
  if (allVisible_) return 1;
  return name && visibleNames_.count(std::string(name).substr(0, 47)) ? 1 : 0;
}
