# What the two Windows toolchains share: Debian's mingw-w64 compilers for
# PELORIX3_MINGW_TRIPLE with the posix thread model, libraries and headers found only in
# that target's root, and the C++ runtime, libgcc and winpthread linked statically, so that
# the plug-in imports only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PELORIX3_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELORIX3_MINGW_TRIPLE}-g++-posix)
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
