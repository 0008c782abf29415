"""Prints one row of instructions per call from `callgrind_annotate --inclusive=yes
--tree=caller` output on stdin: the label, then for the entry, the floor kernel and the
bare kernel (the three function names given) their inclusive cost divided by their calls,
and entry / floor.

    callgrind_annotate --inclusive=yes --tree=caller cg.out | \\
        python3 bench/callgrind-per-call.py LABEL ENTRY FLOOR BARE

The caller tree lists, above each function, each of its callers with the inclusive cost of
its calls and their number, "cost (pct)  < caller (Nx)", then the function,
"cost (pct)  *  function": the sum of the costs over the sum of the calls.
"""
import re
import sys

label, names = sys.argv[1], sys.argv[2:5]
pattern = re.compile(r"\*  .*\b(" + "|".join(map(re.escape, names)) + r")\(")
per_call, cost, calls = {}, 0, 0
for line in sys.stdin:
    caller = re.match(r" *([0-9,]+) .*< .*\(([0-9,]+)x\)", line)
    if caller:
        cost += int(caller.group(1).replace(",", ""))
        calls += int(caller.group(2).replace(",", ""))
        continue
    found = pattern.search(line)
    if found and calls and found.group(1) not in per_call:
        per_call[found.group(1)] = cost / calls
    cost, calls = 0, 0
entry, floor, bare = (per_call[name] for name in names)
print(f"{label:<7} {entry:10.0f} {floor:10.0f} {bare:10.0f} {entry / floor:13.3f}")
