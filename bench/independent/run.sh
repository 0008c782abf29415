#!/bin/bash
# Compiles the independent timing apart from the project (one file, g++ -O2, against the
# host interface header alone) and runs it on a built module file:
#
#     bench/independent/run.sh [MODULE_FILE] [ROUNDS]     processor time per sample
#     bench/independent/run.sh --instructions [MODULE_FILE]
#
# The second counts instructions per sample with callgrind instead (the inclusive cost of
# each of the three functions divided by its calls), which does not depend on the load.
# MODULE_FILE defaults to the native preset's build/native/bin/pelorix3.so.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
count=false
if [[ ${1:-} == --instructions ]]; then
    count=true
    shift
fi
module=${1:-$root/build/native/bin/pelorix3.so}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -g -Wall -Wextra -I"$root" "$root/bench/independent/time_module.cpp" \
    -o "$work/time_module" -ldl
if ! $count; then
    "$work/time_module" "$module" "${2:-15}"
    exit
fi
printf '%-7s %10s %10s %10s %13s\n' lights entry floor bare entry/floor
for lights in 1 4 16; do
    valgrind --tool=callgrind --callgrind-out-file="$work/cg.$lights" \
        "$work/time_module" "$module" 1 "$lights" >/dev/null 2>&1
    callgrind_annotate --inclusive=yes --tree=caller "$work/cg.$lights" 2>/dev/null |
        python3 "$root/bench/callgrind-per-call.py" "$lights" moduleEntry floorKernel bareKernel
done
