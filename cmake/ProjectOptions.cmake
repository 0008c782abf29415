# Warnings and sanitizers shared by every target of the project.
function(pelorix3_project_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(PELORIX3_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(PELORIX3_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=${PELORIX3_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=${PELORIX3_SANITIZE})
    endif()
endfunction()

# The libraries of the stand-in host, the renderer, the model files, the looks and the
# preview tool compiled a batch of files at a time (a unity build): most of a small file's
# compile time goes to the standard headers it includes, which a batch reads once. The
# native preset, which the main command builds, turns it on; the other presets compile each
# file alone, so that every file's own includes stay checked. The module's own code is
# always compiled file by file.
option(PELORIX3_UNITY_BUILD "Compile the host's, renderer's and tools' libraries in batches" OFF)
function(pelorix3_unity_build target)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ${PELORIX3_UNITY_BUILD}
                                               UNITY_BUILD_BATCH_SIZE 16)
endfunction()
