#!/usr/bin/env bash
# The studio: builds the web page (the module's code and the stand-in host compiled to
# WebAssembly with emscripten, the web preset) and prints where its index.html is. The page
# opens from the file system in a browser, with no server. Installs what it needs first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/scripts/install-dependencies.sh"
source "$root/scripts/emscripten-cache.sh"
(cd "$root" && cmake --preset web >/dev/null &&
    cmake --build --preset web --target pelorix3-studio >/dev/null)

echo "The studio is in $root/build/web/studio/index.html"
