# The release of the Windows module: pelorix3.p stripped of its symbols and debug
# information, the install instructions taken from the README, and the licence, packed by
# CPack into pelorix3-<version>-win32.zip (`cmake --workflow --preset release`).
set(PELORIX3_STRIPPED_DIR ${CMAKE_BINARY_DIR}/stripped)
set(PELORIX3_STRIPPED_MODULE ${PELORIX3_STRIPPED_DIR}/pelorix3.p)
set(install_text ${CMAKE_BINARY_DIR}/INSTALL.txt)

add_custom_command(
    OUTPUT ${PELORIX3_STRIPPED_MODULE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PELORIX3_STRIPPED_DIR}
    COMMAND ${CMAKE_STRIP} --strip-all -o ${PELORIX3_STRIPPED_MODULE} $<TARGET_FILE:pelorix3>
    DEPENDS pelorix3
    COMMENT "Stripping pelorix3.p")
add_custom_command(
    OUTPUT ${install_text}
    COMMAND ${CMAKE_COMMAND} -DREADME=${CMAKE_SOURCE_DIR}/README.md -DOUTPUT=${install_text}
            -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/cmake/extract_install_section.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/cmake/extract_install_section.cmake)
add_custom_target(release_files ALL DEPENDS ${PELORIX3_STRIPPED_MODULE} ${install_text})

install(FILES ${PELORIX3_STRIPPED_MODULE} ${install_text} ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pelorix3)
set(CPACK_PACKAGE_FILE_NAME pelorix3-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
