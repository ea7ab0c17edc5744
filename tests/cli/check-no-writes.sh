#!/usr/bin/env bash
# The read-only commands create nothing in the installation folder: no setup.ini, no lock.
# Usage: check-no-writes.sh CLI FIXTURES_DIR SAMPLE_DIR
set -u
cli=$1 fixtures=$2 sample=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/home" "$work/out"
export ZENTRISTOCK_HOME="$work/home" QT_QPA_PLATFORM=offscreen
"$cli" chart new --quotes "$fixtures/ttrc.csv" --add 1:MACD --out "$work/out/c.cht" >/dev/null 2>&1 ||
    { echo "chart new failed" >&2; exit 1; }
"$cli" template save --chart "$work/out/c.cht" --out "$work/out/c.tmp" >/dev/null 2>&1 ||
    { echo "template save failed" >&2; exit 1; }
rm -rf "$work/home" && mkdir "$work/home"
status=0
while IFS= read -r line; do
    eval "set -- $line"
    "$cli" "$@" >/dev/null 2>&1
    left=$(ls -A "$work/home")
    if [ -n "$left" ]; then
        echo "$line left in the home: $left" >&2
        status=1
        rm -rf "$work/home" && mkdir "$work/home"
    fi
done <<LIST
quotes "$fixtures/short.csv"
quotes "$sample/Data/NYSE/ACME.csv" --home "$work/home"
quotes --market NYSE --ticker ACME --home "$work/home"
indicator "$fixtures/ttrc.csv" MACD --period week
render --quotes "$fixtures/ttrc.csv" --add 0:SMA --out "$work/out/q.png" --size 320x200
render "$work/out/c.cht" --out "$work/out/c.png" --size 320x200
costdist "$fixtures/short.csv" --bar 1
chart dump "$work/out/c.cht"
template dump "$work/out/c.tmp"
gann --rows 4
LIST
exit $status
