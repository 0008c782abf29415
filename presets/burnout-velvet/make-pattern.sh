#!/usr/bin/env bash
# Remakes burnout.png, this look's map, byte for byte, from the pattern made in code
# (render/patterns.cpp) with the native build's pattern writer.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/../.."
cmake --build --preset native --target pelorix3-pattern >/dev/null
build/native/bin/pelorix3-pattern burnout 384 "$here/burnout.png"
