#!/usr/bin/env bash
# Makes the Wine prefix that the tests of one Windows preset run in, when it is not there
# yet: build/wineprefix-win32 (WINEARCH=win32) or build/wineprefix-win64 (WINEARCH=win64),
# the folders the win32 and win64 test presets name. Each architecture has a prefix of its
# own, since a prefix is made for one and Wine's default depends on what is installed.
#
#   bash scripts/wine-prefix.sh win32|win64
set -euo pipefail
arch="${1:?usage: wine-prefix.sh win32|win64}"
case "$arch" in
    win32) loader=wine ;;
    win64) loader=/usr/lib/wine/wine64 ;;
    *) echo "wine-prefix.sh: unknown architecture $arch (win32 or win64)" >&2; exit 2 ;;
esac
prefix="$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix-$arch"
[ -f "$prefix/system.reg" ] && exit 0
mkdir -p "$prefix"
echo "Making the $arch Wine prefix in $prefix" >&2
WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all "$loader" wineboot --init >/dev/null 2>&1 || true
# wineboot returns before the server has written the registry; waiting for it does.
WINEPREFIX="$prefix" wineserver --wait
[ -f "$prefix/system.reg" ] || { echo "wine-prefix.sh: Wine made no prefix in $prefix" >&2; exit 1; }
