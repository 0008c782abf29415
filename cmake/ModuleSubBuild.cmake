# The plug-in file built alone with the toolchain PELORIX3_MODULE_TOOLCHAIN, in the
# sub-build folder module/, and copied to bin/pelorix3.p (PELORIX3_MODULE_FILE), where the
# tests load it and the stripped release file is made from it. The win32 preset builds its
# module file so: the posix-threads compilers that build its tests and stand-in host would
# link winpthread into the module, and with it functions that old Windows lacks.
include(ExternalProject)

set(PELORIX3_MODULE_FILE ${CMAKE_LIBRARY_OUTPUT_DIRECTORY}/pelorix3.p)
set(module_build ${CMAKE_BINARY_DIR}/module)
ExternalProject_Add(pelorix3
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${module_build}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PELORIX3_MODULE_TOOLCHAIN}
               -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
               -DPELORIX3_WARNINGS_AS_ERRORS=${PELORIX3_WARNINGS_AS_ERRORS}
               -DPELORIX3_MODULE_ONLY=ON
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${module_build} --target pelorix3
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${module_build}/bin/pelorix3.p
            ${PELORIX3_MODULE_FILE}
    BUILD_BYPRODUCTS ${PELORIX3_MODULE_FILE}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
