#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "ZOLINSMediaToc.h"
#include "base/Message.h"
#include "foundation/Names.h"
#include "media/OrderIndex.h"
#include "toc/RecordLine.h"

struct ZOLINSMediaToc::State {
  std::vector<ZOLINSPrefixToc> prefixes;  // by record slot
  int prereqCheck = 0;
  // Built on the first order lookup that the direct position misses; dropped by InitMedia.
  std::unique_ptr<zol::OrderIndex> orderIndex;
};

ZOLINSMediaToc::ZOLINSMediaToc() : m_(new State) {}

ZOLINSMediaToc::~ZOLINSMediaToc() = default;

int ZOLINSMediaToc::InitMedia(char* path, ZOLUnicodeString& msg) {
  // Prefix entries are kept by slot: a removed record's entry stays behind, unused.
  m_->prefixes.clear();
  m_->orderIndex.reset();
  if (Init(path, msg) != 1) return -1;
  try {
    m_->prefixes.resize(static_cast<std::size_t>(GetNbToc()));
  } catch (const std::bad_alloc&) {
    msg = zol::Message("ZOLINSMediaToc.Error_Alloc",
                       "Internal error in ZOLINSMediaToc: unable to allocate %d prefix entries "
                       "from %s\n",
                       GetNbToc(), path);
    FailLoad();
    return -1;
  }
  const auto readPrefix = [](void* prefixes, int i, zol::FieldReader& fields) {
    (*static_cast<std::vector<ZOLINSPrefixToc>*>(prefixes))[static_cast<std::size_t>(i)].Read(
        fields);
  };
  const int parsed = ParseRecords(msg, "ZOLINSMediaToc: Init of line number %d from %s failed\n",
                                  readPrefix, &m_->prefixes);
  if (parsed != 1 || SetLevels(msg) == 0) {
    FailLoad();
    return -1;
  }
  m_->prereqCheck = 0;
  return 1;
}

void ZOLINSMediaToc::SetPrereqCheck(int flag) {
  m_->prereqCheck = flag;
}
int ZOLINSMediaToc::GetPrereqCheck() const {
  return m_->prereqCheck;
}

int ZOLINSMediaToc::GetIndexI(const int order) const {
  const int count = GetNbToc();
  if (count <= 0) return -1;
  // Media TOCs normally number their lines from 3.
  if (order >= 3 && order - 3 < count && GetIiemePrefixToc(order - 3)->GetOrder() == order)
    return order - 3;
  // Planning looks up every element it outputs: a scan each would be quadratic on large media.
  if (!m_->orderIndex) m_->orderIndex = std::make_unique<zol::OrderIndex>(m_->prefixes);
  return m_->orderIndex->Find(order, [this](int slot) { return PositionOfSlot(slot); });
}

const ZOLINSPrefixToc* ZOLINSMediaToc::GetIiemePrefixToc(int i) const {
  if (i < 0 || i >= GetNbToc()) return nullptr;
  return &m_->prefixes[static_cast<std::size_t>(SlotOf(i))];
}

int ZOLINSMediaToc::GetUnitToc(ZOLUnicodeString& line, char* name) {
  const int index = GetIndexAnyType(name);
  if (index < 0) return -1;
  ZOLUnicodeString unused;
  GetIiemeUnitToc(index)->WriteLineToc(line, unused);
  return 0;
}

void ZOLINSMediaToc::GetTabCFGPRDToInstall(char (*names)[ZOLINS_NAME_SIZE], int nb,
                                           char (*out)[ZOLINS_NAME_SIZE], int* nbOut) {
  if (!out || !nbOut) return;
  int copied = 0;
  for (int i = 0; names && i < nb; ++i) {
    const int index = GetIndex(names[i], ZOLINS_CODE);
    if (index < 0) continue;
    const ZOLINSPkg package = GetIiemeUnitToc(index)->GetPackage();
    if (package == ZOLINS_PRD || package == ZOLINS_SLT)
      std::memcpy(out[copied++], names[i], ZOLINS_NAME_SIZE);
  }
  *nbOut = copied;
}

int ZOLINSMediaToc::GetNbPrereqOf(char* name) {
  const int index = GetIndex(name, ZOLINS_DOCUMENTATION);
  return index < 0 ? -1 : GetIiemeUnitToc(index)->GetNbPrereq();
}

int ZOLINSMediaToc::GetIiemePrereqOf(char* name, int i, char* out) {
  if (!out) return 0;
  const int index = GetIndex(name, ZOLINS_DOCUMENTATION);
  const ZOLINSUnitToc* record = index < 0 ? nullptr : GetIiemeUnitToc(index);
  zol::CopyName(out, record && i >= 0 && i < record->GetNbPrereq() ? record->GetPrereq(i) : "");
  return 0;
}

unsigned int ZOLINSMediaToc::GetMaxSizeCaf(unsigned int nb, char (*names)[ZOLINS_NAME_SIZE]) const {
  if (nb == 0 || nb > ZOLINS_STOCK_CAPACITY || !names) return 0;
  unsigned int largest = 0;
  for (unsigned int n = 0; n < nb; ++n) {
    const int index = GetIndexAnyType(names[n]);
    if (index >= 0) largest = std::max(largest, GetIiemeUnitToc(index)->GetSizefs());
  }
  return largest;
}

unsigned int ZOLINSMediaToc::GetSizeFilesToRemove(int excluded, unsigned int nb,
                                                  char (*names)[ZOLINS_NAME_SIZE],
                                                  unsigned int& largest) const {
  largest = 0;
  if (nb == 0 || nb > ZOLINS_STOCK_CAPACITY || !names) return 0;
  unsigned int total = 0;
  for (unsigned int n = 0; n < nb; ++n) {
    const int index = GetIndexAnyType(names[n]);
    if (index < 0) continue;
    unsigned int sum = 0;
    for (int k = 0; k < 8; ++k)
      if (!(excluded & (1 << k))) sum += GetIiemeUnitToc(index)->GetLangSize(k);
    total += sum;
    largest = std::max(largest, sum);
  }
  if (total == largest) largest = 0;
  return total;
}
