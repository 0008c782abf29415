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
    # The caller tree lists, above each function, each of its callers with the inclusive
    # cost of its calls and their number, "cost (pct)  < caller (Nx)", then the function,
    # "cost (pct)  *  function": the sum of the costs over the sum of the calls.
    callgrind_annotate --inclusive=yes --tree=caller "$work/cg.$lights" 2>/dev/null |
        python3 -c '
import re, sys
lights, per_sample, cost, calls = sys.argv[1], {}, 0, 0
for line in sys.stdin:
    caller = re.match(r" *([0-9,]+) .*< .*\(([0-9,]+)x\)", line)
    if caller:
        cost += int(caller.group(1).replace(",", ""))
        calls += int(caller.group(2).replace(",", ""))
        continue
    found = re.search(r"\*  .*(evaluateAdapter|floorSheen|bareSheen)\(", line)
    if found and calls and found.group(1) not in per_sample:
        per_sample[found.group(1)] = cost / calls
    cost, calls = 0, 0
entry, floor, bare = (per_sample[k] for k in ("evaluateAdapter", "floorSheen", "bareSheen"))
print(f"{lights:<7} {entry:10.0f} {floor:10.0f} {bare:10.0f} {entry / floor:13.3f}")
' "$lights"
done
