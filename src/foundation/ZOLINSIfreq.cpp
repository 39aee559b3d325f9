#include "ZOLINSIfreq.h"

#include "foundation/Names.h"

void ZOLINSIfreq::Init(ZOLUnicodeString& word) {
  word = word.Strip(3, ' ');
  Init(std::string_view(word.str()));
}

void ZOLINSIfreq::Init(std::string_view word) {
  const std::size_t slash = word.find('/');
  zol::CopyName(pl_, word.substr(0, slash));
  if (slash == std::string_view::npos) {
    ub_[0] = '\0';
    return;
  }
  const std::string_view rest = word.substr(slash + 1);
  zol::CopyName(ub_, rest.substr(0, rest.find('/')));
}
