# 64-bit Windows with Debian's mingw-w64 x86_64 toolchain (posix thread model, static
# runtime): a check that the code is 64-bit clean, with all its tests under 64-bit Wine. Its
# module file is not released: no 64-bit release of the renderer is known to offer shader
# interface 1 or 2. The data model is LLP64: `long` stays 32 bits, pointers and item
# identifiers are 64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PELORIX3_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Debian's wine64 loader runs 64-bit programs in the prefix the test preset names.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
