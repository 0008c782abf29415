#!/usr/bin/env bash
# Builds one target of a preset for the commands that use it (bash scripts/build-target.sh
# PRESET TARGET): configures the preset the first time, then builds the target, showing
# Ninja's progress on stderr as one line that updates (a line per step when stderr is not
# a terminal), so that a first build of minutes shows how far it is. Says nothing when the
# target is up to date; errors are shown as they come.
set -euo pipefail
preset="$1"
target="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
SECONDS=0

if [ ! -f "build/$preset/build.ninja" ]; then
    echo "Configuring the $preset build (the first time only)..." >&2
    cmake --preset "$preset" >/dev/null
fi

# Ninja's lines: "[step/steps] what" while it works, anything else (a compiler's
# message, a failure) printed whole. Its own check of the source folders, its word that
# there was nothing to do, and CMake's notes when it configures again are left out.
steps_ran=no
on_terminal=no
[ -t 2 ] && on_terminal=yes
width=$(tput cols 2>/dev/null || echo 80)
line_shown=no
clear_line() {
    if [ "$line_shown" = yes ]; then
        printf '\r\033[K' >&2
        line_shown=no
    fi
}
show_progress() {
    local line
    while IFS= read -r line; do
        case "$line" in
            "ninja: no work to do." | *"Re-checking globbed directories..."* | "-- "*) ;;
            "["*)
                steps_ran=yes
                if [ "$on_terminal" = yes ]; then
                    printf '\r\033[K%s' "${line:0:$((width - 1))}" >&2
                    line_shown=yes
                else
                    echo "$line" >&2
                fi
                ;;
            *)
                clear_line
                echo "$line" >&2
                ;;
        esac
    done
    clear_line
    if [ "$steps_ran" = yes ]; then
        echo "Built $target ($preset) in $SECONDS s." >&2
    fi
}

cmake --build --preset "$preset" --target "$target" 2>&1 | show_progress
