# Warnings and build flavours shared by every target of the project.
add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)

# The host's texts are GBK bytes. Sources are UTF-8; GCC turns their narrow
# string literals into GBK as it compiles them, so a text reads as itself in
# the source and is exact in the program. GB18030 gives the same bytes as GBK
# for every character GBK has, and can still encode the few characters
# outside it in the standard library's own literals (the micro sign in
# <chrono>). clang, used only for the fuzz targets, keeps literals UTF-8.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=GB18030>)
endif()

if(SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # The deliverables import nothing but system DLLs: libstdc++, libgcc and
  # winpthread are linked in, and the wide-character API is used throughout.
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  add_link_options(-static $<$<CONFIG:Release>:-s>)
endif()
