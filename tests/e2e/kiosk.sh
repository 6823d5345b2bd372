#!/usr/bin/env bash
# The locked mode under a window manager (openbox): the window covers the screen, any key works
# the bar, the window manager's close key leaves it running, and typing "quit" ends it with 0.
#   kiosk.sh PATH/TO/zubiko WORKING_DIR   (under an X server)
set -euo pipefail
log=$(mktemp) && trap 'kill "${pid:-}" "${wm:-}" 2>/dev/null || true; rm -f "$log"' EXIT
fail() { echo "FAIL: $*" >&2; cat "$log" >&2; exit 1; }
wait_for() {
    for _ in $(seq 200); do grep -qF "$1" "$log" && return 0; sleep 0.1; done
    fail "no '$1' in the trace"
}

openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break; sleep 0.1; done
cd "$2"
QT_LOGGING_RULES="zubiko.*.debug=true" SDL_AUDIODRIVER=dummy "$1" --kiosk >"$log" 2>&1 &
pid=$!
wait_for 'keyboard grabbed'
wid=$(xdotool search --sync --onlyvisible --name '^Zubiko$' | head -1)
[ "$(xdotool getwindowgeometry "$wid" | grep -o '[0-9]*x[0-9]*$')" = "$(xdotool getdisplaygeometry | tr ' ' x)" ] ||
    fail "the window does not cover the screen: $(xdotool getwindowgeometry "$wid")"

# Keys go to the program holding the keyboard, whichever window has the focus.
xdotool key x
wait_for 'speak "Duck"'
# Alt+F4 is the window manager's own key unless the program holds the keyboard.
xdotool key alt+F4
wait_for 'key F4 works the bar'
kill -0 "$pid" || fail "Alt+F4 ended the program"

xdotool type --delay 100 quit
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0 && wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "typing quit ended the program with status $status"
echo "locked mode: full screen, keys work the bar, Alt+F4 held back, quit leaves with 0"
