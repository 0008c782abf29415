#!/usr/bin/env bash
# The main job: renders the preview of the default scene with the real module file and
# says where the picture is. Installs what it needs and builds the native preset first.
# Extra arguments go to the preview tool (see: bash scripts/preview.sh --help); files
# they name are taken from the folder the command is run in. Without -o/--output the
# picture goes to out/preview.png in the repository.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

# Everything but the tool's own output goes to stderr, so that `-o -` or `--save -` leave
# standard output to the file.
bash "$root/scripts/install-dependencies.sh" >&2
(cd "$root" && cmake --preset native >/dev/null &&
    cmake --build --preset native --target pelorix3-preview >/dev/null)

default_output=yes
for argument in "$@"; do
    case "$argument" in
        -o | -o* | --output | --output=*) default_output=no ;;
        -h | --help | --list-presets) exec "$root/build/native/bin/pelorix3-preview" "$@" ;;
    esac
done

if [ "$default_output" = no ]; then
    exec "$root/build/native/bin/pelorix3-preview" "$@"
fi
mkdir -p "$root/out"
"$root/build/native/bin/pelorix3-preview" --output "$root/out/preview.png" "$@"
echo "The preview is in $root/out/preview.png" >&2
