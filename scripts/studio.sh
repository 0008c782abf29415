#!/usr/bin/env bash
# The studio: builds the web page (the module's code and the stand-in host compiled to
# WebAssembly with emscripten, the web preset) and prints where its index.html is. The page
# opens from the file system in a browser, with no server. Installs what it needs first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/scripts/install-dependencies.sh" studio
source "$root/scripts/emscripten-cache.sh"
bash "$root/scripts/build-target.sh" web pelorix3-studio

echo "The studio is in $root/build/web/studio/index.html"
