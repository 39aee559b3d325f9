// Plans the install of one element from a medium onto an installation, with the library's
// umbrella header only: consumer MEDIA.TOC INSTALL-ROOT NAME
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <ZOLINSTocLib.h>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: consumer MEDIA.TOC INSTALL-ROOT NAME\n");
    return 2;
  }
  std::string mediaPath = argv[1];
  std::string presentPath = std::string(argv[2]) + "/control/PRESENT";
  ZOLUnicodeString message;
  auto media = std::make_unique<ZOLINSMediaToc>();
  auto installed = std::make_unique<ZOLINSInstToc>();
  if (media->InitMedia(&mediaPath[0], message) != 1 ||
      installed->InitInst(&presentPath[0], message) != 1) {
    std::fprintf(stderr, "%s", message.ConvertToChar());
    return 2;
  }
  char requested[1][ZOLINS_NAME_SIZE] = {};
  std::strncpy(requested[0], argv[3], ZOLINS_NAME_SIZE - 1);
  unsigned int count = 0;
  char(*names)[ZOLINS_NAME_SIZE] = nullptr;
  ZOLINSToc::sResetInfoMsg();
  const int size = media->GetSize(requested, 1, ZOLINS_CODE, 0, &count, names, installed.get(),
                                  nullptr, nullptr, nullptr);
  if (size < 0) {
    std::fprintf(stderr, "%s", ZOLINSToc::sGetInfoMsg()->ConvertToChar());
    ZOLINSToc::sClearInfoMsg();
    return 1;
  }
  for (unsigned int i = 0; i < count; ++i) std::printf("%s\n", names[i]);
  std::printf("total %d\n", size);
  delete[] names;
  ZOLINSToc::sClearInfoMsg();
  return 0;
}
