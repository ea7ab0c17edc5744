#!/usr/bin/env bash
# Runs a command with a fresh installation folder and compares its stdout with a golden
# file and its exit status with the expected one.
# Usage: check-output.sh EXPECTED_STATUS GOLDEN_FILE COMMAND [ARGS...]
set -u
status=$1 golden=$2
shift 2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
out=$(ZENTRISTOCK_HOME="$home" "$@" 2>"$home/stderr")
rc=$?
if [ "$rc" -ne "$status" ]; then
    echo "exit status $rc, expected $status; stderr:" >&2
    cat "$home/stderr" >&2
    exit 1
fi
if [ "$golden" != "-" ] && ! diff -u "$golden" <(printf '%s\n' "$out") >&2; then
    echo "stdout differs from $golden" >&2
    exit 1
fi
exit 0
