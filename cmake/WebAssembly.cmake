# The WebAssembly build (the web preset, Debian's emscripten): what every target of it
# shares.
#
# - Exceptions are WebAssembly's own (-fwasm-exceptions): emscripten leaves them off
#   otherwise, and the stand-in host catches them where native builds do. Node 20 and
#   Chromium run them.
# - Memory grows as needed; the output is one JavaScript file with the WebAssembly inside
#   (-sSINGLE_FILE=1), which a page opened from the file system can load and Node 20 runs.
# - emscripten's optimiser runs in Node and needs Debian's Node modules (node-acorn) at
#   every link at -O1 or higher: NODE_PATH names their folder.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sSINGLE_FILE=1)
set(pelorix3_node_path /usr/share/nodejs)
if(DEFINED ENV{NODE_PATH} AND NOT "$ENV{NODE_PATH}" STREQUAL "")
    string(APPEND pelorix3_node_path ":$ENV{NODE_PATH}")
endif()
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${pelorix3_node_path})

# Programs run by Node (the unit tests): they read and write the real file system, and
# their exit status is main's.
function(pelorix3_node_program target)
    target_link_options(${target} PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1)
endfunction()
