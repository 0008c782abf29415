# Sourced by the scripts that build the web preset. Debian's emscripten keeps the C and
# C++ libraries it builds in /usr/share/emscripten/cache; a user who cannot write there
# gets a cache of their own in the build folder (built on first use, a few minutes).
emscripten_cache_dir="/usr/share/emscripten/cache"
if [ -z "${EM_CACHE:-}" ] && [ ! -w "$emscripten_cache_dir" ]; then
    export EM_CACHE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/emscripten-cache"
fi
