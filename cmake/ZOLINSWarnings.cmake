# Compile options shared by every target of the project.
add_library(zolins_options INTERFACE)
target_compile_options(zolins_options INTERFACE -Wall -Wextra)
if(ZOLINS_WERROR)
  target_compile_options(zolins_options INTERFACE -Werror)
endif()
if(ZOLINS_SANITIZE)
  target_compile_options(zolins_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(zolins_options INTERFACE -fsanitize=address,undefined)
endif()
if(ZOLINS_BUILD_FUZZ)
  # Coverage for libFuzzer in every object; the fuzz targets add libFuzzer's main when they link.
  target_compile_options(zolins_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(zolins_options INTERFACE -fsanitize=address,undefined)
endif()
if(ZOLINS_SANITIZE_THREAD)
  if(ZOLINS_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer")
  endif()
  target_compile_options(zolins_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(zolins_options INTERFACE -fsanitize=thread)
endif()
