#!/usr/bin/env bash
# Builds every configuration (native, sanitize, win32) and runs all their tests; the
# Windows tests run under Wine, and the Windows build ends in the release zip. Then the
# stress suite under ThreadSanitizer and each fuzz target for a minute. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-dependencies.sh

export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
fi

for preset in native sanitize; do
    echo "=== $preset ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

# The Windows module: built, tested under Wine (the shipped, stripped file too) and packed
# into the release zip.
echo "=== win32 and the release zip ==="
cmake --workflow --preset release

# The stress suite again under ThreadSanitizer, then every fuzz target for a minute.
echo "=== tsan (stress suite) ==="
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan

echo "=== fuzz ==="
bash scripts/run-fuzzers.sh 60
