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
    # The caller tree lists, above each function, its callers with the inclusive cost of
    # their calls and the number of calls: "cost (pct)  < caller (Nx)" then "*  function".
    callgrind_annotate --inclusive=yes --tree=caller "$work/cg.$lights" 2>/dev/null |
        python3 -c '
import re, sys
lights, per_sample, caller = sys.argv[1], {}, None
for line in sys.stdin:
    if "< " in line:
        caller = line
        continue
    found = re.search(r"\*  .*(evaluateAdapter|floorSheen|bareSheen)\(", line)
    if found and caller and found.group(1) not in per_sample:
        cost = int(caller.split()[0].replace(",", ""))
        calls = int(re.search(r"\(([0-9,]+)x\)", caller).group(1).replace(",", ""))
        per_sample[found.group(1)] = cost / calls
    caller = None
entry, floor, bare = (per_sample[k] for k in ("evaluateAdapter", "floorSheen", "bareSheen"))
print(f"{lights:<7} {entry:10.0f} {floor:10.0f} {bare:10.0f} {entry / floor:13.3f}")
' "$lights"
done
