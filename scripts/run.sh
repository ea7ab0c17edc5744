#!/usr/bin/env bash
# Installs what the build needs, builds the release preset and runs the program on a copy
# of the bundled sample installation (so the repository's copy stays as shipped).
# Extra arguments go to the command-line tool; without them it shows a sample chart's quotes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target zentristock-cli
home=build/sample-home
rm -rf "$home" && mkdir -p "$home" && cp -r data/. "$home/"
export ZENTRISTOCK_HOME="$PWD/$home"
if [ $# -eq 0 ]; then
    set -- quotes "$ZENTRISTOCK_HOME/Data/NYSE/ACME.csv" --period week
fi
exec build/release/src/cli/zentristock-cli "$@"
