#include <cstring>
#include <memory>
#include <string_view>

#include "ZOLINSUnitToc.h"
#include "base/LargeMemory.h"
#include "base/Message.h"
#include "base/Numbers.h"
#include "foundation/Names.h"
#include "toc/RecordLine.h"

// Parsing works on views into the tokenizer's text: a media TOC holds tens of thousands of lines,
// and a copy per field would cost more than the parse itself.

namespace {

std::string_view NextField(ZOLToken& token) {
  return zol::TrimBlanks(token.NextView(':'));
}

// The value of `text` among the first `count` keywords, skipping the refused ones; -1 when none.
int FindKeyword(std::string_view text, const char* const* keywords, int count, int refused1,
                int refused2) {
  for (int i = 0; i < count; ++i) {
    if (i != refused1 && i != refused2 && text == keywords[i]) return i;
  }
  return -1;
}

// Calls `store(word)` for each blank-separated word; returns the number of words.
template <typename Store>
int EachWord(std::string_view text, Store store) {
  int count = 0;
  std::size_t pos = 0;
  for (std::string_view word = zol::NextWord(text, pos); !word.empty();
       word = zol::NextWord(text, pos)) {
    store(word);
    ++count;
  }
  return count;
}

int CountWords(std::string_view text) {
  return EachWord(text, [](std::string_view) {});
}

template <typename T>
T* HeapArray(std::size_t n) {
  return new T[n];
}

// Allocates an array of the field's word count with `allocate` (none when 0) and fills it with
// `store`.
template <typename T, typename Store, typename Allocate>
void CutWords(std::string_view field, int& count, T*& list, Store store, Allocate allocate) {
  const int n = CountWords(field);
  if (n > 0) {
    list = allocate(static_cast<std::size_t>(n));
    T* next = list;
    EachWord(field, [&](std::string_view word) { store(*next++, word); });
  }
  count = n;
}

using Name = char[ZOLINS_NAME_SIZE];

template <typename Allocate>
void CutNames(std::string_view field, int& count, Name*& list, Allocate allocate) {
  CutWords(
      field, count, list, [](Name& slot, std::string_view word) { zol::CopyName(slot, word); },
      allocate);
}

template <typename Allocate>
void CutIfreqs(std::string_view field, int& count, ZOLINSIfreq*& list, Allocate allocate) {
  CutWords(
      field, count, list, [](ZOLINSIfreq& slot, std::string_view word) { slot.Init(word); },
      allocate);
}

template <typename Allocate>
void CutNumbers(std::string_view field, int& count, unsigned int*& list, Allocate allocate) {
  CutWords(
      field, count, list,
      [](unsigned int& slot, std::string_view word) {
        slot = 0;
        zol::ParseUnsigned(word, slot);
      },
      allocate);
}

}  // namespace

template <typename T>
T* ZOLINSUnitToc::NewArray(std::size_t n) {
  if (!arena_) return new T[n];
  T* array = static_cast<T*>(arena_->Allocate(n * sizeof(T)));
  std::uninitialized_default_construct_n(array, n);
  return array;
}

void ZOLINSUnitToc::SetFieldNumber(ZOLUnicodeString& field, int& count) {
  count = CountWords(field.str());
}

void ZOLINSUnitToc::CutField(ZOLUnicodeString& field, int& count, char (*&list)[ZOLINS_NAME_SIZE]) {
  field = field.Strip(3, ' ');
  CutNames(field.str(), count, list, HeapArray<Name>);
}

void ZOLINSUnitToc::CutField(ZOLUnicodeString& field, int& count, ZOLINSIfreq*& list) {
  field = field.Strip(3, ' ');
  CutIfreqs(field.str(), count, list, HeapArray<ZOLINSIfreq>);
}

void ZOLINSUnitToc::CutField(ZOLUnicodeString& field, int& count, unsigned int*& list) {
  field = field.Strip(3, ' ');
  CutNumbers(field.str(), count, list, HeapArray<unsigned int>);
}

int ZOLINSUnitToc::WriteTabUnitToc(ZOLToken& token, ZOLUnicodeString& message) {
  Libere();
  nbSupersede_ = nbPrereq_ = nbIfreq_ = nbLangSize_ = 0;

  const std::string_view type = NextField(token);
  const int typeValue = FindKeyword(type, ZOLINSTypeKeyword, 6, ZOLINS_UNKNOWNM, ZOLINS_UNKNOWNQ);
  if (typeValue < 0) {
    message = zol::Message("ZOLINSUnitToc.error_type", "ZOLINSUnitToc: unknown type: %s\n",
                           std::string(type));
    return -1;
  }
  type_ = static_cast<ZOLINSType>(typeValue);

  const std::string_view package = NextField(token);
  const int packageValue = FindKeyword(package, ZOLINSPkgKeyword, 10, ZOLINS_FIX, -1);
  if (packageValue < 0) {
    message = zol::Message("ZOLINSUnitToc.error_package", "ZOLINSUnitToc: unknown package: %s\n",
                           std::string(package));
    return -1;
  }
  package_ = static_cast<ZOLINSPkg>(packageValue);

  const std::string_view name = NextField(token);
  zol::CopyName(name_, name);
  hfxLevel_ = 0;
  const std::size_t dot = name.rfind('.');
  if (package_ == ZOLINS_HFX && dot != std::string_view::npos)
    hfxLevel_ = zol::LeadingDigits(name.substr(dot + 1));

  const auto names = [this](std::size_t n) { return NewArray<Name>(n); };
  CutNames(NextField(token), nbSupersede_, supersede_, names);
  CutNames(NextField(token), nbPrereq_, prereq_, names);
  if (nbPrereq_ == 0 && package_ == ZOLINS_FSP) {
    message =
        zol::Message("ZOLINSUnitToc.error_prereq", "ZOLINSUnitToc: missing prereq for %s\n", name_);
    return -1;
  }
  return ParseRemainingFields(token);
}

int ZOLINSUnitToc::ParseRemainingFields(ZOLToken& token) {
  CutIfreqs(NextField(token), nbIfreq_, ifreq_,
            [this](std::size_t n) { return NewArray<ZOLINSIfreq>(n); });
  sizefs_ = 0;
  zol::ParseUnsigned(NextField(token), sizefs_);
  zol::CopyCut(timestamp_, sizeof timestamp_, NextField(token));
  zol::CopyCut(os_, sizeof os_, NextField(token));
  zol::CopyCut(gaLevel_, sizeof gaLevel_, NextField(token));
  spkLevel_ = 0;
  zol::ParseInt(NextField(token), spkLevel_);

  const std::string_view label = NextField(token);
  label_ = NewArray<char>(label.size() + 32);
  if (!label.empty()) std::memcpy(label_, label.data(), label.size());
  label_[label.size()] = '\0';

  CutNumbers(NextField(token), nbLangSize_, langSizes_,
             [this](std::size_t n) { return NewArray<unsigned int>(n); });
  return 1;
}
