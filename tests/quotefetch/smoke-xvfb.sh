#!/usr/bin/env bash
# The real downloader on a real X server (Xvfb) under openbox, which has no system tray: the
# dialog titled "ZentriStock Data Downloader" appears, takes the keyboard focus and stays
# shown instead of hiding to a tray nobody can reach; Escape leaves it open; the window
# manager's close request (Alt+F4) ends the program with status 0. Then the chart program's
# Tools menu (Alt+T, D) starts the same downloader.
# Usage: smoke-xvfb.sh QUOTEFETCH ZENTRISTOCK SAMPLE_DIR
set -u
quotefetch=$1 program=$2 sample=$3
work=$(mktemp -d)
cleanup() {
    local pid
    for pid in ${fetch:-} ${app:-} ${wm:-} ${xvfb:-}; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    pkill -f "^$quotefetch" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "smoke: $*" >&2
    echo "windows: $(xdotool search --name . 2>/dev/null | while read -r w; do printf '[%s] ' "$(xdotool getwindowname "$w")"; done)" >&2
    cat "$work"/*.log >&2 2>/dev/null
    exit 1
}
. "$(dirname "$0")/../app/xvfb-screen.sh"
open_screen

cp -r "$sample" "$work/home"
export ZENTRISTOCK_HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"
title='^ZentriStock Data Downloader$'

visible_window() {
    window=
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1)
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    return 1
}
ended_within_10s() {
    for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}

"$quotefetch" >"$work/fetch.log" 2>&1 &
fetch=$!
visible_window || fail "no visible window titled ZentriStock Data Downloader"
for _ in $(seq 100); do [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && break; sleep 0.1; done
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] || fail "the downloader has no keyboard focus"
# Without a tray it must still be there a while later, and after Escape.
sleep 1.5
xdotool key --window "$window" Escape
sleep 0.5
xdotool search --onlyvisible --name "$title" 2>/dev/null | grep -qx "$window" ||
    fail "the downloader hid itself although the screen has no tray"
kill -0 "$fetch" 2>/dev/null || fail "Escape ended the downloader"
xdotool key --window "$window" alt+F4 2>/dev/null
xdotool keyup Alt_L F4 2>/dev/null
ended_within_10s "$fetch" || fail "Alt+F4 did not end the downloader"
wait "$fetch"; status=$?; fetch=
[ "$status" -eq 0 ] || fail "the downloader ended with status $status"

# The chart program's Tools menu starts it.
"$program" >"$work/app.log" 2>&1 &
app=$!
main=
for _ in $(seq 600); do
    main=$(xdotool search --onlyvisible --name '^ZentriStock - ' 2>/dev/null | head -n1)
    [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || fail "the chart program showed no window"
for _ in $(seq 100); do [ "$(xdotool getwindowfocus 2>/dev/null)" = "$main" ] && break; sleep 0.1; done
xdotool key --window "$main" alt+t
sleep 0.5
xdotool key d
visible_window || fail "the Tools menu's Data Downloader started no downloader"
xdotool key --window "$window" alt+F4 2>/dev/null
xdotool keyup Alt_L F4 2>/dev/null
echo "smoke: the downloader's window stays shown without a tray and starts from the Tools menu"
