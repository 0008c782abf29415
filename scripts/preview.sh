#!/usr/bin/env bash
# The main job: renders the preview of the default scene with the real module file and
# says where the picture is. Installs what it needs and builds the native preset first.
# Extra arguments go to the preview tool (see: bash scripts/preview.sh --help).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-dependencies.sh
cmake --preset native >/dev/null
cmake --build --preset native --target pelorix3-preview >/dev/null
mkdir -p out
build/native/bin/pelorix3-preview --output out/preview.png "$@"
echo "The preview is in $PWD/out/preview.png"
