# The release (`cmake --workflow --preset release`): builds the win32 and win64 presets in
# their own build folders and runs their tests under Wine, then packs what a user installs
# into pelorix3-<version>-windows.zip:
#
#   pelorix3-3.0-windows/win32/pelorix3.p    the stripped 32-bit module file
#   pelorix3-3.0-windows/INSTALL.txt         docs/installing.md
#   pelorix3-3.0-windows/LICENSE
#   pelorix3-3.0-windows/burnout.png         the burnout-velvet look's map, which
#                                            INSTALL.txt names
#
# The renderer's releases that load the module (shader interface 1 or 2) are 32-bit
# programs, and a 64-bit one cannot load a 32-bit file: the win64 build is a check that the
# code is 64-bit clean, and its module file stays out of the zip. Once the zip is made,
# tests/check_release_zip.cmake checks that it holds every file INSTALL.txt names and no
# win64 file.
include(ExternalProject)

set(install_text ${CMAKE_BINARY_DIR}/INSTALL.txt)
add_custom_command(
    OUTPUT ${install_text}
    COMMAND ${CMAKE_COMMAND} -DPAGE=${CMAKE_SOURCE_DIR}/docs/installing.md
            -DOUTPUT=${install_text} -DVERSION=${PROJECT_VERSION}
            -P ${CMAKE_SOURCE_DIR}/cmake/install_text.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/installing.md ${CMAKE_SOURCE_DIR}/cmake/install_text.cmake)
add_custom_target(install_text ALL DEPENDS ${install_text})

enable_testing()
foreach(target IN ITEMS win32 win64)
    set(build_dir ${CMAKE_SOURCE_DIR}/build/${target})
    # The preset's own folder, so that a build by hand and the release's are one.
    ExternalProject_Add(pelorix3_${target}
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${build_dir}
        CONFIGURE_COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} --preset ${target}
        BUILD_COMMAND ${CMAKE_COMMAND} --build ${build_dir}
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        USES_TERMINAL_BUILD ON)
    add_test(NAME wine_prefix_${target}
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${target})
    set_tests_properties(wine_prefix_${target} PROPERTIES FIXTURES_SETUP wine_${target})
    add_test(NAME ${target} COMMAND ${CMAKE_CTEST_COMMAND} --preset ${target}
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine_${target})
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/build/win32/stripped/pelorix3.p DESTINATION win32)
install(FILES ${install_text} ${CMAKE_SOURCE_DIR}/LICENSE
              ${CMAKE_SOURCE_DIR}/presets/burnout-velvet/burnout.png
        DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pelorix3)
set(CPACK_PACKAGE_FILE_NAME pelorix3-${PROJECT_VERSION}-windows)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/tests/check_release_zip.cmake)
set(CPACK_PELORIX3_INSTALL_TEXT ${install_text})
include(CPack)
