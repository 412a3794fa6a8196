#!/usr/bin/env bash
# Runs one test program on its own virtual X server under a window manager (openbox), so that
# windows get real frames, placement and focus as on a user's desktop. Exit 77 (the ctest skip
# code) only when Xvfb or openbox is not installed; scripts/test installs both.
set -uo pipefail

for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed" >&2
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
wm_pid=
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display itself and writes its number: parallel tests never race for
# one display as they would when each guessed a free number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
if ! [ -s "$work/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

# The window manager's own files go to the scratch folder, not the user's home.
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data"
openbox --sm-disable --startup "touch $work/wm-ready" 2>"$work/openbox.log" &
wm_pid=$!
for _ in $(seq 1 200); do
    [ -e "$work/wm-ready" ] && break
    sleep 0.05
done
if ! [ -e "$work/wm-ready" ]; then
    echo "openbox did not start:" >&2
    cat "$work/openbox.log" >&2
    exit 1
fi

QT_QPA_PLATFORM=xcb QUORVEX_WINDOW_MANAGER=openbox "$@"
status=$?
exit "$status"
