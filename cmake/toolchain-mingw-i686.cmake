# 32-bit Windows with Debian's mingw-w64 i686 toolchain (posix thread model, static
# runtime): the win32 preset's tests, stand-in host and tools, which need std::thread.
# SSE2 arithmetic gives the same double arithmetic as the 64-bit build (only the C
# libraries' pow differ, in the last bits).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PELORIX3_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
