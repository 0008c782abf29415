# The Windows module as the release ships it: pelorix3.p stripped of its symbols and debug
# information, in <build>/stripped/, where the tests check it and run the end-to-end suite
# against it. The release project (cmake/Release.cmake) packs the 32-bit one.
set(PELORIX3_STRIPPED_DIR ${CMAKE_BINARY_DIR}/stripped)
set(PELORIX3_STRIPPED_MODULE ${PELORIX3_STRIPPED_DIR}/pelorix3.p)

add_custom_command(
    OUTPUT ${PELORIX3_STRIPPED_MODULE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PELORIX3_STRIPPED_DIR}
    COMMAND ${CMAKE_STRIP} --strip-all -o ${PELORIX3_STRIPPED_MODULE} ${PELORIX3_MODULE_FILE}
    DEPENDS pelorix3 ${PELORIX3_MODULE_FILE}
    COMMENT "Stripping pelorix3.p")
add_custom_target(release_files ALL DEPENDS ${PELORIX3_STRIPPED_MODULE})
