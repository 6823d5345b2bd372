#!/usr/bin/env bash
# The locked mode under a window manager (openbox): the window covers the screen, any key works
# the bar, the window manager's close key leaves it running and is one press, and typing "quit"
# ends it with 0. (A chord or a double click as one press: tst_press_rules, tst_locked_view.)
#   kiosk.sh PATH/TO/zubiko WORKING_DIR   (runs itself under a virtual X server)
source "$(dirname "$0")/lib.sh"
on_x 1280x1024 "$0" "$@"
source "$(dirname "$0")/openbox.sh"
count() { grep -cF "$1" "$log" || true; }
# Waits for the pauses under way to end, then for the trace to hold $2 lines with $1.
settled_count() {
    for _ in $(seq 200); do
        [ "$(count 'passes at depth')" -eq "$(count 'passes done')" ] && [ "$(count "$1")" -ge "$2" ] && break
        sleep 0.1
    done
    sleep 0.5
    [ "$(count "$1")" -eq "$2" ] || fail "$(count "$1") lines with '$1', not $2"
}

start "$1" "$2" --kiosk
wait_for 'keyboard grabbed'
wid=$(xdotool search --sync --onlyvisible --name '^Zubiko$' | head -1)
[ "$(xdotool getwindowgeometry "$wid" | grep -o '[0-9]*x[0-9]*$')" = "$(xdotool getdisplaygeometry | tr ' ' x)" ] ||
    fail "the window does not cover the screen: $(xdotool getwindowgeometry "$wid")"

# Keys go to the program holding the keyboard, whichever window has the focus.
xdotool key x
wait_for 'speak "Duck"'
# Alt+F4 is the window manager's own key unless the program holds the keyboard.
# It is one press: the bar works once.
xdotool key alt+F4
wait_for 'key F4 joins the press'
settled_count 'works the bar' 2
kill -0 "$pid" || fail "Alt+F4 ended the program"

xdotool type --delay 100 quit
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0 && wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "typing quit ended the program with status $status"
echo "locked mode: full screen, keys work the bar, Alt+F4 held back and one press, quit leaves with 0"
