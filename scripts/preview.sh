#!/usr/bin/env bash
# The main job: the preview render of the default scene. The preview tool does not exist
# yet, so this builds the native module and reports that nothing was rendered.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-dependencies.sh
cmake --preset native >/dev/null
cmake --build --preset native --target pelorix3
echo "Built build/native/bin/pelorix3.so. The preview tool is not written yet: no picture was rendered." >&2
exit 1
