#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "ZOLINSUnitToc.h"
#include "base/ByteScan.h"
#include "base/LargeMemory.h"
#include "base/Message.h"
#include "base/Numbers.h"
#include "foundation/Names.h"
#include "toc/RecordLine.h"

// Parsing works on views into the line: a media TOC holds tens of thousands of lines, and a copy
// per field would cost more than the parse itself.

namespace {

template <typename Fields>
std::string_view NextField(Fields& fields) {
  return zol::TrimBlanks(fields.NextView(':'));
}

// The first `count` of `words` but for the refused ones.
struct Keywords {
  const char* const* words;
  int count;
  int refused1;
  int refused2;
};

// The value of the next field among `keywords`; -1 when it is none of them, with `message` set to
// the catalogue's `key` (in English `text`) naming the word.
template <typename Fields>
int NextKeyword(Fields& fields, const Keywords& keywords, const char* key, const char* text,
                ZOLUnicodeString& message) {
  const std::string_view word = NextField(fields);
  for (int i = 0; i < keywords.count; ++i) {
    // The first byte settles most comparisons without measuring the keyword.
    if (i == keywords.refused1 || i == keywords.refused2 || word.empty() ||
        word[0] != keywords.words[i][0])
      continue;
    if (word == keywords.words[i]) return i;
  }
  message = zol::Message(key, text, std::string(word));
  return -1;
}

// Calls `store(word)` for each blank-separated word; returns the number of words.
template <typename Store>
int EachWord(std::string_view text, Store store) {
  int count = 0;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = zol::FindByte(text, begin, ' ');
    if (end > begin) {
      store(text.substr(begin, end - begin));
      ++count;
    }
    begin = end + 1;
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

std::size_t NameLength(std::string_view word) {
  return std::min<std::size_t>(word.size(), ZOLINS_NAME_SIZE - 1);
}

// The words of a list field, each cut to a name's 47 characters; `words` is reused from line to
// line.
void ListWords(std::string_view field, std::vector<std::string_view>& words) {
  words.clear();
  EachWord(field,
           [&words](std::string_view word) { words.push_back(word.substr(0, NameLength(word))); });
}

// A record's list of names as one block from `allocate`: the 32-bit offsets of the names, then
// the names, each as long as it is (at most 47 characters) rather than in a 48-byte slot, since
// most names are far shorter. `list` is left as it is when the field holds no name. `words` is
// reused from line to line.
template <typename Allocate>
void CutNameList(std::string_view field, int& count, char*& list, Allocate allocate,
                 std::vector<std::string_view>& words) {
  ListWords(field, words);
  count = static_cast<int>(words.size());
  if (count == 0) return;
  const std::size_t header = words.size() * sizeof(std::uint32_t);
  std::size_t bytes = header;
  for (const std::string_view word : words) bytes += word.size() + 1;
  char* block = allocate(bytes);
  std::uint32_t* offsets = reinterpret_cast<std::uint32_t*>(block);
  // Lists are written with one blank between names of at most 47 characters: their names are
  // then the field itself, copied at once, with a NUL for each blank. A name cut short or a
  // second blank would each make the names shorter than the field, never as long.
  const bool plain = bytes - header == field.size() + 1;
  if (plain) std::memcpy(block + header, field.data(), field.size());
  std::size_t at = header;
  for (const std::string_view word : words) {
    *offsets++ = static_cast<std::uint32_t>(at);
    if (!plain) std::memcpy(block + at, word.data(), word.size());
    block[at + word.size()] = '\0';
    at += word.size() + 1;
  }
  list = block;
}

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
  T* array = static_cast<T*>(arena_->Allocate(n * sizeof(T), alignof(T)));
  std::uninitialized_default_construct_n(array, n);
  return array;
}

char* ZOLINSUnitToc::NewBlock(std::size_t bytes) {
  if (!arena_) return new char[bytes];
  return static_cast<char*>(arena_->Allocate(bytes, alignof(std::uint32_t)));
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
  return Parse(token, message);
}

template <typename Fields>
int ZOLINSUnitToc::Parse(Fields& fields, ZOLUnicodeString& message) {
  Libere();
  nbSupersede_ = nbPrereq_ = nbIfreq_ = nbLangSize_ = 0;

  const int type =
      NextKeyword(fields, {ZOLINSTypeKeyword, 6, ZOLINS_UNKNOWNM, ZOLINS_UNKNOWNQ},
                  "ZOLINSUnitToc.error_type", "ZOLINSUnitToc: unknown type: %s\n", message);
  if (type < 0) return -1;
  type_ = static_cast<ZOLINSType>(type);
  const int package =
      NextKeyword(fields, {ZOLINSPkgKeyword, 10, ZOLINS_FIX, -1}, "ZOLINSUnitToc.error_package",
                  "ZOLINSUnitToc: unknown package: %s\n", message);
  if (package < 0) return -1;
  package_ = static_cast<ZOLINSPkg>(package);

  const std::string_view name = NextField(fields);
  zol::CopyName(name_, name);
  hfxLevel_ = 0;
  if (package_ == ZOLINS_HFX) {
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) hfxLevel_ = zol::LeadingDigits(name.substr(dot + 1));
  }

  const auto bytes = [this](std::size_t n) { return NewBlock(n); };
  static thread_local std::vector<std::string_view> words;
  CutNameList(NextField(fields), nbSupersede_, supersede_, bytes, words);
  CutNameList(NextField(fields), nbPrereq_, prereq_, bytes, words);
  if (nbPrereq_ == 0 && package_ == ZOLINS_FSP) {
    message =
        zol::Message("ZOLINSUnitToc.error_prereq", "ZOLINSUnitToc: missing prereq for %s\n", name_);
    return -1;
  }
  ParseRemainingFields(fields);
  return 1;
}

template <typename Fields>
void ZOLINSUnitToc::ParseRemainingFields(Fields& fields) {
  CutIfreqs(NextField(fields), nbIfreq_, ifreq_,
            [this](std::size_t n) { return NewArray<ZOLINSIfreq>(n); });
  sizefs_ = 0;
  zol::ParseUnsigned(NextField(fields), sizefs_);
  zol::CopyCut(timestamp_, sizeof timestamp_, NextField(fields));
  zol::CopyCut(os_, sizeof os_, NextField(fields));
  zol::CopyCut(gaLevel_, sizeof gaLevel_, NextField(fields));
  spkLevel_ = 0;
  zol::ParseInt(NextField(fields), spkLevel_);

  // A record of its own gives its label 32 bytes to spare beyond the text, as labels always had;
  // the labels of a table, tens of thousands of them, take what they hold (nothing in the
  // library writes to a label).
  const std::string_view label = NextField(fields);
  label_ = NewArray<char>(label.size() + (arena_ ? 1 : 32));
  if (!label.empty()) std::memcpy(label_, label.data(), label.size());
  label_[label.size()] = '\0';

  CutNumbers(NextField(fields), nbLangSize_, langSizes_,
             [this](std::size_t n) { return NewArray<unsigned int>(n); });
}

template int ZOLINSUnitToc::Parse(zol::FieldReader&, ZOLUnicodeString&);
