#!/usr/bin/env bash
# Builds every configuration (native, sanitize, win32) and runs all their tests; the
# Windows tests run under Wine. Then the stress suite under ThreadSanitizer and each fuzz
# target for a minute. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-dependencies.sh

export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
fi

for preset in native sanitize win32; do
    echo "=== $preset ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

# The stress suite again under ThreadSanitizer, then every fuzz target for a minute.
echo "=== tsan (stress suite) ==="
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan

echo "=== fuzz ==="
bash scripts/run-fuzzers.sh 60
