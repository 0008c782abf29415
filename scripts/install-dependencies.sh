#!/usr/bin/env bash
# Installs what one command of the project needs on a fresh Debian 12 machine, with apt-get
# (through sudo when not run as root), and nothing when it is all there. The group:
#
#   preview  the preview command (bash scripts/preview.sh): the compiler, CMake, Ninja, and
#            the preview tool's libraries (libpng, OpenEXR, CLI11, Embree)
#   studio   the studio page (bash scripts/studio.sh): emscripten, with the clang, LLVM and
#            binaryen it compiles with, Node.js, CMake and Ninja
#   tests    every test (bash scripts/run-tests.sh, CI): both of the above, GoogleTest, Google
#            Benchmark, mingw-w64 for i686 (both thread models) and x86_64, Wine (32- and 64-bit,
#            with the i386 architecture) for the Windows builds, clang with its sanitizer and
#            fuzzer runtimes and valgrind for the hardening checks, Chromium and npm for the
#            studio's browser test, and unzip, with which it checks the studio's look files
#
# Without a group, everything (the tests' group).
set -euo pipefail

group="${1:-tests}"
preview_packages=(g++ cmake ninja-build libpng-dev libopenexr-dev libcli11-dev libembree-dev)
studio_packages=(cmake ninja-build emscripten)
test_packages=(
    "${preview_packages[@]}" emscripten make
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine32 wine64
    locales-all
    clang libclang-rt-14-dev valgrind
    chromium unzip
)

case "$group" in
    preview) packages=("${preview_packages[@]}") ;;
    studio) packages=("${studio_packages[@]}") ;;
    tests) packages=("${test_packages[@]}") ;;
    *)
        echo "usage: bash scripts/install-dependencies.sh [preview|studio|tests]" >&2
        exit 2
        ;;
esac

# Node.js runs emscripten's tools, the WebAssembly tests and the browser test (which also
# needs npm); a Node.js installed otherwise (with its own npm) is kept, as Debian's npm
# would conflict with it.
if [ "$group" = studio ] && ! command -v node >/dev/null; then
    packages+=(nodejs)
fi
if [ "$group" = tests ] && { ! command -v node >/dev/null || ! command -v npm >/dev/null; }; then
    packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
# wine32 is an i386 package: the architecture must be there before it can be installed.
if [ "$group" = tests ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
echo "Installing for the $group, with apt-get (a minute or more): ${missing[*]}" >&2
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${packages[@]}" >/dev/null
