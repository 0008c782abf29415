#!/bin/bash
# The preview rendered by one worker process and by two, in turn, RUNS times each (default
# 7), 1024 x 768 at 2 x 2 samples per pixel: the median render time the tool reports (its
# render stage: the workers' rows rendered and gathered) and the median wall-clock time of
# the whole command (making the cloth and its Embree scene, loading the module, rendering
# and writing the PNG), with the ratios of one worker's time to two workers'. Checks that
# both pictures are the same bytes. Prints the load before and after.
#
#     bench/preview-workers.sh [RUNS] [TOOL]
set -euo pipefail
runs=${1:-7}
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${2:-$root/build/native/bin/pelorix3-preview}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
uptime
for ((i = 0; i < runs; i++)); do
    for workers in 1 2; do
        start=$EPOCHREALTIME
        line=$("$tool" --width 1024 --height 768 --samples 2 --workers "$workers" \
            -o "$work/$workers.png" 2>&1 >/dev/null | grep '^wrote ')
        end=$EPOCHREALTIME
        # "wrote FILE (preview, ..., N processes, SECONDS s)", on stderr
        seconds=${line##*, }
        echo "$workers ${seconds%% *} $start $end" >> "$work/times"
    done
done
cmp "$work/1.png" "$work/2.png"
uptime
python3 - "$work/times" <<'PY'
import statistics, sys
render, whole = {1: [], 2: []}, {1: [], 2: []}
for line in open(sys.argv[1]):
    workers, seconds, start, end = line.split()
    render[int(workers)].append(float(seconds))
    whole[int(workers)].append(float(end) - float(start))
for name, times in (("render stage", render), ("whole command", whole)):
    one, two = statistics.median(times[1]), statistics.median(times[2])
    print(f"{name:14} 1 worker {one:6.2f} s   2 workers {two:6.2f} s   {one / two:5.2f} x")
print("the same bytes from one and from two workers")
PY
