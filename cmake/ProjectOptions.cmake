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
