#!/bin/bash
# Instructions per shaded sample of the evaluate entry, the floor kernel and the bare
# kernel, counted by callgrind (their inclusive cost divided by their calls), at 1, 4 and
# 16 lights. Counts do not depend on the machine's load. Run from the repository root
# after building the native preset's pelorix3_bench.
set -euo pipefail
bench=${1:-build/native/bin/pelorix3_bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%-7s %10s %10s %10s %13s\n' lights entry floor bare entry/floor
for lights in 1 4 16; do
    valgrind --tool=callgrind --callgrind-out-file="$work/cg.$lights" "$bench" \
        --benchmark_filter="(EvaluateEntry|FloorKernel|BareKernel)/$lights\$" \
        --benchmark_min_time=0.02 >/dev/null 2>&1
    callgrind_annotate --inclusive=yes --tree=caller "$work/cg.$lights" 2>/dev/null |
        python3 "$(dirname "$0")/callgrind-per-call.py" "$lights" \
            evaluateAdapter floorSheen bareSheen
done
