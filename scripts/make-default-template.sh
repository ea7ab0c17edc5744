#!/usr/bin/env bash
# Writes the sample installation's default chart template, data/System/DTemp: three panes,
# moving averages over the prices, volume and MACD below. Needs a built zentristock-cli.
# Usage: scripts/make-default-template.sh [path of zentristock-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/release/src/cli/zentristock-cli}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export ZENTRISTOCK_HOME=$home
"$cli" chart new --quotes data/Data/NYSE/ACME.csv --panes 3 \
    --add 0:SMA:replace --add 1:VOL:replace --add 2:MACD:replace --out "$home/sample.cht"
"$cli" template save --chart "$home/sample.cht" --out data/System/DTemp
