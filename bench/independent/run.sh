#!/bin/bash
# Compiles the independent timing apart from the project (one file, g++ -O2, against the
# host interface header alone) and runs it on a built module file:
#
#     bench/independent/run.sh [MODULE_FILE] [ROUNDS]     processor time per sample
#     bench/independent/run.sh --instructions [MODULE_FILE]
#     bench/independent/run.sh --windows [ROUNDS]
#
# The second counts instructions per sample with callgrind instead (the inclusive cost of
# each of the three functions divided by its calls), which does not depend on the load.
# MODULE_FILE defaults to the native preset's build/native/bin/pelorix3.so.
#
# The third compiles the program for 32-bit Windows, as the module file is compiled (the
# Pentium Pro's instructions, x87 arithmetic), and runs it under Wine on the win32
# preset's released module file, build/win32/stripped/pelorix3.p, against the same sources
# built with SSE2 arithmetic, build/win32/bin/pelorix3-sse2.p, both loaded in one run: the
# last columns are the SSE2 file's time and the released file's time over it. Under Wine
# the times are wall-clock times, which the machine's load moves: read the ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ ${1:-} == --windows ]]; then
    released=$root/build/win32/stripped/pelorix3.p
    sse2=$root/build/win32/bin/pelorix3-sse2.p
    for file in "$released" "$sse2"; do
        [[ -f $file ]] || { echo "run.sh: no $file (cmake --build --preset win32)" >&2; exit 1; }
    done
    i686-w64-mingw32-g++-posix -std=c++20 -O2 -march=pentiumpro -mfpmath=387 -Wall -Wextra \
        -static -I"$root" "$root/bench/independent/time_module.cpp" -o "$work/time_module.exe"
    bash "$root/scripts/wine-prefix.sh" win32
    WINEPREFIX=$root/build/wineprefix-win32 WINEARCH=win32 WINEDEBUG=-all \
        wine "$work/time_module.exe" --against "$sse2" "$released" "${2:-15}"
    exit
fi
count=false
if [[ ${1:-} == --instructions ]]; then
    count=true
    shift
fi
module=${1:-$root/build/native/bin/pelorix3.so}
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
