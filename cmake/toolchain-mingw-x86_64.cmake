# 64-bit Windows with Debian's mingw-w64 x86_64 toolchain (posix thread model, static
# runtime), for the renderer's 64-bit releases. The data model is LLP64: `long` stays 32
# bits, pointers and item identifiers are 64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PELORIX3_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Debian's wine64 loader runs 64-bit programs in the prefix the test preset names.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
