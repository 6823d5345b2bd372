#!/usr/bin/env bash
# The locked mode under a window manager (openbox) on an X server of two screens: the window covers
# the first, a cover the second whole; any key works the bar; the window manager's close key leaves
# it running and is one press; a program on the second screen (xev, which prints each input event it
# gets) gets a click while unlocked, and neither a click nor a key once locked. (A chord or a double
# click as one press: tst_press_rules, tst_locked_view; the word that leaves: quit_word.sh.)
#   kiosk.sh PATH/TO/zubiko WORKING_DIR   (runs itself under a virtual X server; needs xev)
source "$(dirname "$0")/../../testsupport/run_program.sh"
on_x 1280x1024,1024x768 "$0" "$@"
need xev
source "$(dirname "$0")/openbox.sh"
second=${DISPLAY%.*}.1 # screen 1 of the same server
events=$(mktemp) && trap 'kill "${pid:-}" "${wm:-}" "${xev:-}" 2>/dev/null || true; rm -f "$log" "$events"' EXIT
count() { grep -cF "$1" "$log" || true; }
pressed() { grep -ac 'ButtonPress\|KeyPress' "$events" || true; }
# fills SCREEN WINDOW: the window is the size of the screen.
fills() {
    [ "$(DISPLAY=${DISPLAY%.*}.$1 xdotool getwindowgeometry "$2" | grep -o '[0-9]*x[0-9]*$')" = \
      "$(xdotool getdisplaygeometry --screen "$1" | tr ' ' x)" ] || fail "window $2 does not cover screen $1"
}

xev -display "$second" -geometry 400x300+100+100 >"$events" 2>&1 & xev=$!
for _ in $(seq 100); do grep -q MapNotify "$events" && break; sleep 0.1; done
xdotool mousemove --screen 1 300 250 click 1
wait_until "unlocked: a click on the second screen did not reach xev" eval '[ "$(pressed)" -ge 1 ]'
xdotool mousemove --screen 0 10 10

start "$1" "$2" --kiosk
wait_for 'keyboard grabbed'
wait_for 'covered'
fills 0 "$(xdotool search --sync --screen 0 --onlyvisible --name '^Zubiko$' | head -1)"
fills 1 "$(DISPLAY=$second xdotool search --sync --screen 1 --onlyvisible --name '^Zubiko$' | head -1)"

# Keys go to the program holding the keyboard, whichever window has the focus.
xdotool key x
wait_for 'speak "Duck"'
# Alt+F4 is the window manager's own key unless the program holds the keyboard.
xdotool key alt+F4
wait_for 'key F4 joins the press'
kill -0 "$pid" || fail "Alt+F4 ended the program"
# A click and a key on the second screen: the key works the bar, xev gets neither.
before=$(pressed)
xdotool mousemove --screen 1 300 250 click 1 key y
# Once the pauses under way have ended, the bar has worked three times: for x, Alt+F4 and y.
wait_until "the bar did not work three times" eval '[ $(count "passes at depth") -eq $(count "passes done") ] && [ $(count "works the bar") -ge 3 ]'
sleep 0.5
[ "$(count 'works the bar')" -eq 3 ] || fail "the bar worked $(count 'works the bar') times, not 3"
[ "$(pressed)" -eq "$before" ] || fail "locked: a click or a key on the second screen reached xev"

echo "locked mode: both screens covered, keys work the bar, Alt+F4 held back and one press, xev gets nothing"
