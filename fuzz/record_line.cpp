// One TOC line through the record parser, as a record and as a media line with its prefix.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "ZOLINSMediaToc.h"
#include "ZOLINSUnitToc.h"
#include "toc/RecordLine.h"

namespace {

// Reads back everything the parser stored, so that the sanitizers see every byte of it.
unsigned long Touch(ZOLINSUnitToc& record) {
  unsigned long sum = record.GetSizefs() + record.GetSPKLevel() + record.GetHFXLevel();
  for (int i = 0; i < record.GetNbSupersede(); ++i)
    sum += std::string(record.GetSupersede(i)).size();
  for (int i = 0; i < record.GetNbPrereq(); ++i) sum += std::string(record.GetPrereq(i)).size();
  for (int i = 0; i < record.GetNbIfreq(); ++i)
    sum += std::string(record.GetIfreq(i)->GetPL()).size() +
           std::string(record.GetIfreq(i)->GetUB()).size();
  for (int i = 0; i < record.GetNbLangSize(); ++i) sum += record.GetLangSize(i);
  sum += std::string(record.GetName()).size() + std::string(record.GetOS()).size();
  sum += std::string(record.GetGALevel()).size() + std::string(record.GetTimestamp()).size();
  if (record.GetLabel()) sum += std::string(record.GetLabel()).size();
  const std::unique_ptr<char[]> base(record.GetBaseFWK());
  if (base) sum += std::string(base.get()).size();
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zolfuzz::ResetLibraryState();
  const std::string_view line = zolfuzz::AsText(data, size);
  volatile unsigned long sink = 0;

  ZOLINSUnitToc record;
  ZOLUnicodeString message;
  if (zol::ParseRecordLine(record, line, message) == 1) sink = sink + Touch(record);

  ZOLToken token = zol::RecordTokenizer(line);
  ZOLINSPrefixToc prefix;
  ZOLINSUnitToc mediaRecord;
  mediaRecord.Init();
  prefix.WriteTabPrefixToc(token, message);
  if (mediaRecord.WriteTabUnitToc(token, message) == 1) sink = sink + Touch(mediaRecord);
  return 0;
}
