#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one for a bounded time from its seed corpus in
# fuzz/corpus/<target>/. The corpus is copied to a scratch folder first, so that runs never
# grow the repository. An input that crashes a target is kept in
# <build dir>/artifacts/<target>/ and makes the script fail.
#
#   bash scripts/run-fuzzers.sh [seconds per target] [target ...]
#
# Defaults: 60 seconds, every target. FUZZ_BUILD_DIR chooses the build folder (build/fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
# Every target has its seeds in fuzz/corpus/<target>/.
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(ls fuzz/corpus)
build_dir="${FUZZ_BUILD_DIR:-build/fuzz}"

cmake --preset fuzz -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target fuzzers

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=()
# libFuzzer's closing lines: coverage, executions, time, speed and memory.
stats='stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)'
summary="^(#[0-9]+[[:space:]]+DONE|Done [0-9]+ runs|$stats)"
for target in "${targets[@]}"; do
    corpus="$scratch/$target"
    artifacts="$build_dir/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    cp fuzz/corpus/"$target"/* "$corpus"/
    echo "=== $target: ${seconds} s from $(ls fuzz/corpus/"$target" | wc -l) seeds ==="
    log="$scratch/$target.log"
    if "$build_dir/bin/$target" "$corpus" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1; then
        grep -E "$summary" "$log" || true
    else
        tail -n 80 "$log"
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]} (inputs in $build_dir/artifacts/)" >&2
    exit 1
fi
