#!/usr/bin/env bash
# Runs a command with a fresh installation folder and compares its stdout below the header
# line with that of a golden file: a formula's own output names head its columns, the values
# must be the golden ones.
# Usage: check-formula-values.sh GOLDEN_FILE COMMAND [ARGS...]
set -u
golden=$1
shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
if ! ZENTRISTOCK_HOME="$home" "$@" >"$home/out" 2>"$home/stderr"; then
    echo "command failed; stderr:" >&2
    cat "$home/stderr" >&2
    exit 1
fi
if ! diff -u <(tail -n +2 "$golden") <(tail -n +2 "$home/out") >&2; then
    echo "values differ from $golden" >&2
    exit 1
fi
exit 0
