#!/usr/bin/env bash
# Installs what the build needs, builds the release preset and runs the program on a copy
# of the bundled sample installation (so the repository's copy stays as shipped).
# Extra arguments go to the command-line tool; without them it draws a sample chart (price
# pane with moving averages, volume and MACD panes) into build/sample-home/ACME.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target zentristock-cli
home=build/sample-home
rm -rf "$home" && mkdir -p "$home" && cp -r data/. "$home/"
export ZENTRISTOCK_HOME="$PWD/$home"
if [ $# -eq 0 ]; then
    build/release/src/cli/zentristock-cli render --quotes "$ZENTRISTOCK_HOME/Data/NYSE/ACME.csv" \
        --add 0:SMA --add 1:VOL --add 2:MACD --out "$ZENTRISTOCK_HOME/ACME.png" --size 1280x800
    echo "chart drawn: $ZENTRISTOCK_HOME/ACME.png"
    exit 0
fi
exec build/release/src/cli/zentristock-cli "$@"
