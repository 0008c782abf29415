# The 32-bit module file as it ships: the i686 toolchain with the win32 thread model, which
# links no threads library. The posix model's winpthread would make the module import
# functions that the Windows of the renderer's 32-bit releases lacks (GetTickCount64 is
# Windows Vista's), and the loader there would refuse the file. GCC 12's C++ library has no
# std::thread with this model, so only the module itself is built with it.
#
# Its code is for the Pentium Pro's instruction set (i686: cmov and fcomi, no MMX, no SSE)
# with x87 arithmetic, which Debian's mingw-w64 runtime is built for too. The renderer's
# releases ran on Pentium Pro to Pentium III and Athlon processors under Windows 95, 98
# and NT 4.0: a Pentium III or Athlon XP has no SSE2, and Windows 95 and NT 4.0 do not
# save the SSE registers, so an SSE instruction faults there on any processor. The module
# leaves the x87 control word as the renderer set it (precision, rounding), so its doubles
# are rounded as the renderer's own are. tests/check_module_file.cmake holds the built file
# to this instruction set.
set(PELORIX3_MINGW_THREADS win32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PELORIX3_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# The flags are set in the cache rather than as its first values, so that a module build
# folder made before they changed takes them too: this file is read again whenever it
# changes.
set(CMAKE_C_FLAGS "-march=pentiumpro -mfpmath=387" CACHE STRING "" FORCE)
set(CMAKE_CXX_FLAGS "-march=pentiumpro -mfpmath=387" CACHE STRING "" FORCE)
# The runtime's anonymous semaphores made with CreateSemaphoreA, which Windows 95 to Me
# implement, in place of CreateSemaphoreW, which they do not (anonymous_semaphores.ld).
set(CMAKE_MODULE_LINKER_FLAGS
    "-static -Wl,--wrap=_imp__CreateSemaphoreW@16 ${CMAKE_CURRENT_LIST_DIR}/anonymous_semaphores.ld"
    CACHE STRING "" FORCE)
