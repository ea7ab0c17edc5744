# Sourced by the smoke tests: a real X server (Xvfb) with openbox managing its windows.
# Needs $work (a scratch folder); sets DISPLAY, QT_QPA_PLATFORM and the pids $xvfb and $wm.
# openbox announces itself before it manages windows: a window mapped in between is never
# managed (no frame, no focus). A probe window shows when it is ready: the window manager
# sets WM_STATE on the windows it manages; a probe it missed is made again.
wm_manages_windows() {
    local probe id
    for _ in $(seq 20); do
        kill -0 "$wm" 2>/dev/null || return 1
        xmessage -title zentristock-probe probe >/dev/null 2>&1 &
        probe=$!
        for _ in $(seq 30); do
            id=$(xdotool search --name '^zentristock-probe$' 2>/dev/null | head -n1)
            if [ -n "$id" ] && xprop -id "$id" WM_STATE 2>/dev/null | grep -q 'window state'; then
                kill "$probe"; wait "$probe" 2>/dev/null
                return 0
            fi
            sleep 0.1
        done
        kill "$probe"; wait "$probe" 2>/dev/null
    done
    return 1
}
# An X server on a display number of its own, drawn at random, with openbox managing its
# windows. Seen on a busy machine: a server of another test going away on the same number
# removed the new server's socket, and clients found no display. Any step that fails starts
# both again on another number.
start_screen() {
    export DISPLAY=":$((200 + RANDOM % 700))"
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        kill -0 "$xvfb" 2>/dev/null || return 1
        xprop -root >/dev/null 2>&1 && break
        sleep 0.05
    done
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        kill -0 "$wm" 2>/dev/null || return 1
        xprop -root _OB_THEME 2>/dev/null | grep -q '"' && break
        sleep 0.05
    done
    wm_manages_windows
}
# Starts the screen, trying other display numbers; fails with the servers' logs.
open_screen() {
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    screen=
    for _ in $(seq 5); do
        start_screen && { screen=yes; break; }
        for pid in ${wm:-} ${xvfb:-}; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
        wm= xvfb=
    done
    [ -n "$screen" ] || fail "no X server with openbox started: $(cat "$work/xvfb.log" "$work/wm.log")"
}
