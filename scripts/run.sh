#!/usr/bin/env bash
# Installs what the build needs, builds the release preset and starts ZentriStock on a copy of
# the bundled sample installation (so the repository's copy stays as shipped), with the
# sample chart (price pane with moving averages, volume and MACD panes) open. Extra arguments
# go to the program. Without a display (neither DISPLAY nor WAYLAND_DISPLAY is set) it runs on
# Qt's offscreen platform and writes a screenshot of the main window instead.
# `scripts/run.sh quotefetch [ARGS]` starts the downloader on the same copy instead; its window
# needs a display, its --batch and --import modes do not.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
target=zentristock
[ "${1:-}" = quotefetch ] && { target=quotefetch; shift; }
cmake --build --preset release --target "$target"
home=build/sample-home
rm -rf "$home" && mkdir -p "$home" && cp -r data/. "$home/"
export ZENTRISTOCK_HOME="$PWD/$home"
if [ "$target" = quotefetch ]; then
    exec build/release/src/app/quotefetch "$@"
fi
program=build/release/src/app/zentristock
chart="$ZENTRISTOCK_HOME/chart/ACME.cht"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    shot="$ZENTRISTOCK_HOME/zentristock.png"
    echo "no display (neither DISPLAY nor WAYLAND_DISPLAY is set): running on Qt's offscreen platform"
    QT_QPA_PLATFORM=offscreen "$program" "$chart" --grab "$shot" "$@"
    echo "screenshot of the main window: $shot"
    exit 0
fi
exec "$program" "$chart" "$@"
