#!/usr/bin/env bash
# Installs everything the build, the tests and the preview need on a fresh Debian 12
# machine: compilers, CMake, GoogleTest, Google Benchmark, the mingw-w64 i686 and x86_64
# toolchains and Wine (32- and 64-bit) for the Windows builds, the preview tool's libraries
# (CLI11, libpng, OpenEXR, Embree), clang with its sanitizer and fuzzer runtimes and valgrind for the
# hardening checks, and for the studio page emscripten, Chromium for its browser test, and
# Node.js with npm when the machine has no Node.js of its own.
set -euo pipefail

packages=(
    cmake ninja-build g++ make
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine32 wine64
    libcli11-dev libpng-dev libopenexr-dev libembree-dev
    locales-all
    clang libclang-rt-14-dev valgrind
    emscripten chromium
)
# Node.js runs emscripten's tools, the WebAssembly tests and the browser test; a Node.js
# installed otherwise (with its own npm) is kept, as Debian's npm would conflict with it.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    missing+=(wine32)
fi
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "Installing: ${missing[*]}" >&2
"${sudo_cmd[@]}" dpkg --add-architecture i386
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${packages[@]}" >/dev/null
