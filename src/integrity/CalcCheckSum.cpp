#include "ZOLCheckSum.h"
#include "integrity/FileSum.h"

unsigned long ZOLCalcCheckSum(char* path) {
  if (!path) return zol::kUnreadableSum;
  const std::optional<std::uint32_t> sum = zol::SumOfOpenFile(zol::OpenRegularFile(path), nullptr);
  return sum ? *sum : zol::kUnreadableSum;
}
