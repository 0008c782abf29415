#!/usr/bin/env bash
# Builds every configuration (native, sanitize, web, win32, win64) and runs all their tests;
# the WebAssembly tests run under Node and the studio page in Chromium; the Windows tests run
# under Wine, and the 32-bit Windows module ends in the release zip. Then the stress suite
# under ThreadSanitizer and each fuzz target for a minute. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-dependencies.sh tests

for preset in native sanitize; do
    echo "=== $preset ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

# The WebAssembly build: the module's unit tests and the stand-in host's and renderer's
# tests under Node, then the studio page in Debian's Chromium, driven by puppeteer-core
# (installed from the lockfile, without a browser of its own), which also remakes
# docs/studio.png.
echo "=== web (WebAssembly: tests under Node, the studio page in Chromium) ==="
source scripts/emscripten-cache.sh
cmake --preset web >/dev/null
cmake --build --preset web
ctest --preset web
(cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund && node --test)

# The Windows modules, 32- and 64-bit: built, tested under Wine (the stripped files too, and
# their colours against the native build's); the 32-bit one is packed into the release zip.
echo "=== win32, win64 and the release zip ==="
cmake --workflow --preset release

# The stress suite again under ThreadSanitizer, then every fuzz target for a minute.
echo "=== tsan (stress suite) ==="
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan

echo "=== fuzz ==="
bash scripts/run-fuzzers.sh 60
