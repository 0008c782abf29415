# What the Windows toolchains share: Debian's mingw-w64 compilers for PELORIX3_MINGW_TRIPLE
# with the thread model PELORIX3_MINGW_THREADS (posix unless the toolchain file says win32),
# libraries and headers found only in that target's root, and the C++ runtime and libgcc
# (and, with the posix model, winpthread) linked statically, so that what is built imports
# only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

if(NOT PELORIX3_MINGW_THREADS)
    set(PELORIX3_MINGW_THREADS posix)
endif()
set(CMAKE_C_COMPILER ${PELORIX3_MINGW_TRIPLE}-gcc-${PELORIX3_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${PELORIX3_MINGW_TRIPLE}-g++-${PELORIX3_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${PELORIX3_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${PELORIX3_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${PELORIX3_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
