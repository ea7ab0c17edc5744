#!/usr/bin/env bash
# Runs every libFuzzer target of a build for a while on its committed seed corpus
# fuzz/corpus/<target>/, two at a time. New inputs go to a scratch folder, never into the
# committed corpus; a crash leaves its input in <build>/fuzz-artifacts/. Prints the executions
# per target and fails when a target fails or has no corpus.
# Usage: scripts/fuzz.sh [BUILD_DIR (build/clang-checks)] [SECONDS (30)]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/clang-checks}
seconds=${2:-30}
targets=$(find "$build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort)
if [ -z "$targets" ]; then
    echo "fuzz: no targets in $build/fuzz" >&2
    exit 1
fi
missing=0
for t in $targets; do
    if [ ! -d "fuzz/corpus/$t" ] || [ -z "$(ls -A "fuzz/corpus/$t")" ]; then
        echo "fuzz: $t has no seed corpus in fuzz/corpus/$t" >&2
        missing=1
    fi
done
[ "$missing" = 0 ] || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/fuzz-artifacts"
# The atomic writes of some targets flush every run: on a tmpfs that costs nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# What fontconfig and D-Bus keep until exit (Qt's drawing target) is not a leak of ours.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp

run_one() {
    local t=$1
    mkdir -p "$work/$t"
    if "$build/fuzz/$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$t-" \
        "$work/$t" "fuzz/corpus/$t" >"$work/$t.log" 2>&1; then
        local runs
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$t.log")
        echo "fuzz: $t ${runs:-?} executions in ${seconds} s"
    else
        echo "fuzz: $t FAILED" >&2
        tail -n 40 "$work/$t.log" >&2
        return 1
    fi
}
export -f run_one
export build seconds work
printf '%s\n' $targets | xargs -P 2 -I{} bash -c 'run_one {}'
