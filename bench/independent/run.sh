#!/bin/bash
# Compiles the independent timing apart from the project (one file, g++ -O2, against the
# host interface header alone) and runs it on a built module file:
#
#     bench/independent/run.sh [MODULE_FILE] [ROUNDS]
#
# MODULE_FILE defaults to the native preset's build/native/bin/pelorix3.so.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
module=${1:-$root/build/native/bin/pelorix3.so}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -I"$root" "$root/bench/independent/time_module.cpp" \
    -o "$work/time_module" -ldl
"$work/time_module" "$module" "${2:-15}"
