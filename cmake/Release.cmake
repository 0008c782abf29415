# The release (`cmake --workflow --preset release`): builds the win32 and win64 presets in
# their own build folders, runs their tests under Wine, and packs both stripped module
# files with the install instructions and the licence into pelorix3-<version>-windows.zip:
#
#   pelorix3-3.0-windows/win32/pelorix3.p    for the renderer's 32-bit releases
#   pelorix3-3.0-windows/win64/pelorix3.p    for its 64-bit releases
#   pelorix3-3.0-windows/INSTALL.txt
#   pelorix3-3.0-windows/LICENSE
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
    install(FILES ${build_dir}/stripped/pelorix3.p DESTINATION ${target})
endforeach()

install(FILES ${install_text} ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pelorix3)
set(CPACK_PACKAGE_FILE_NAME pelorix3-${PROJECT_VERSION}-windows)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
