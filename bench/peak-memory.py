#!/usr/bin/env python3
"""Runs a command and reports the most memory it and the processes it starts (the
preview's render workers) held at once, sampled from /proc every 20 ms:

- the largest sum of their proportional set sizes (Pss: each page shared by n of the
  processes counted 1/n in each), which is the memory the machine gave them;
- the largest sum of their resident set sizes (Rss), which counts a page shared by the
  workers, such as the maps they inherit, once in each;
- each process's own peak (VmHWM), read at its last sample.

    python3 bench/peak-memory.py COMMAND [ARGUMENT ...]

Prints the load before and after; exits with the command's status.
"""
import os
import subprocess
import sys
import time


def children_of(pid):
    """Every process below pid, from /proc."""
    parents = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            parents[int(entry)] = int(fields[1])
        except (OSError, IndexError, ValueError):
            pass
    found, frontier = [], [pid]
    while frontier:
        parent = frontier.pop()
        for child, its_parent in parents.items():
            if its_parent == parent:
                found.append(child)
                frontier.append(child)
    return found


def kibibytes(path, keys):
    values = {}
    try:
        with open(path) as lines:
            for line in lines:
                name, _, rest = line.partition(":")
                if name in keys:
                    values[name] = int(rest.split()[0])
    except OSError:
        pass
    return values


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    print("load average before:", os.getloadavg(), file=sys.stderr)
    process = subprocess.Popen(sys.argv[1:])
    most_pss = most_rss = 0
    peaks = {}
    while process.poll() is None:
        pss = rss = 0
        for pid in [process.pid] + children_of(process.pid):
            rollup = kibibytes(f"/proc/{pid}/smaps_rollup", ("Pss", "Rss"))
            pss += rollup.get("Pss", 0)
            rss += rollup.get("Rss", 0)
            high = kibibytes(f"/proc/{pid}/status", ("VmHWM",)).get("VmHWM")
            if high:
                peaks[pid] = max(peaks.get(pid, 0), high)
        most_pss, most_rss = max(most_pss, pss), max(most_rss, rss)
        time.sleep(0.02)
    mib = lambda kib: f"{kib / 1024:.0f} MiB"
    print("load average after:", os.getloadavg(), file=sys.stderr)
    print(f"most at once, all processes: Pss {mib(most_pss)}, Rss {mib(most_rss)}",
          file=sys.stderr)
    for pid, high in sorted(peaks.items()):
        print(f"process {pid}: peak resident {mib(high)}", file=sys.stderr)
    sys.exit(process.returncode)


if __name__ == "__main__":
    main()
