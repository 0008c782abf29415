#!/usr/bin/env bash
# The main job: renders the preview of the default scene with the real module file and
# says where the picture is. Installs what it needs and builds the preview tool first.
# Extra arguments go to the preview tool (see: bash scripts/preview.sh --help); files
# they name are taken from the folder the command is run in. The tool renders the preview
# when -o/--output is given or nothing else is asked for; without -o the picture goes to
# out/preview.png in the repository.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

# Everything but the tool's own output goes to stderr, so that `-o -` or `--save -` leave
# standard output to the file.
bash "$root/scripts/install-dependencies.sh" preview >&2
bash "$root/scripts/build-target.sh" native pelorix3-preview

# The tool's default picture, named as the tool's messages will name it: from the
# repository's folder as out/preview.png, from anywhere else by its whole path.
mkdir -p "$root/out"
if [ "$PWD" = "$root" ]; then
    export PELORIX3_PREVIEW_OUTPUT="out/preview.png"
else
    export PELORIX3_PREVIEW_OUTPUT="$root/out/preview.png"
fi
# Messages that say what to run next name this command, as it was typed.
export PELORIX3_PREVIEW_COMMAND="bash $0"
exec "$root/build/native/bin/pelorix3-preview" "$@"
