# The 32-bit module file as it ships: the i686 toolchain above with the win32 thread model,
# which links no threads library. The posix model's winpthread would make the module import
# functions that the Windows of the renderer's 32-bit releases lacks (GetTickCount64 is
# Windows Vista's), and the loader there would refuse the file. GCC 12's C++ library has no
# std::thread with this model, so only the module itself is built with it.
set(PELORIX3_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-i686.cmake)
