#!/usr/bin/env bash
# The locked mode on an X server of two screens: a program on the second screen before the lock (xev,
# which prints each input event it gets) gets a click there while unlocked; locked, a window of
# Zubiko covers the second screen whole, and a click and a key there do not reach xev.
#   screens.sh PATH/TO/zubiko WORKING_DIR   (runs itself under a virtual X server of two screens; needs xev)
source "$(dirname "$0")/lib.sh"
on_x 1280x1024,1024x768 "$0" "$@"
need xev
source "$(dirname "$0")/openbox.sh"
second=${DISPLAY%.*}.1 # screen 1 of the same server
events=$(mktemp) && trap 'kill "${pid:-}" "${wm:-}" "${xev:-}" 2>/dev/null || true; rm -f "$log" "$events"' EXIT
pressed() { grep -ac 'ButtonPress\|KeyPress' "$events" || true; }
xev -display "$second" -geometry 400x300+100+100 >"$events" 2>&1 & xev=$!
for _ in $(seq 100); do grep -q MapNotify "$events" && break; sleep 0.1; done
xdotool mousemove --screen 1 300 250 click 1
for _ in $(seq 50); do [ "$(pressed)" -ge 1 ] && break; sleep 0.1; done
[ "$(pressed)" -ge 1 ] || fail "unlocked: a click on the second screen did not reach xev"

start "$1" "$2" --kiosk
wait_for 'keyboard grabbed'
wait_for 'covered'
cover=$(DISPLAY=$second xdotool search --sync --screen 1 --onlyvisible --name '^Zubiko$' | head -1)
[ "$(DISPLAY=$second xdotool getwindowgeometry "$cover" | grep -o '[0-9]*x[0-9]*$')" = "$(xdotool getdisplaygeometry --screen 1 | tr ' ' x)" ] ||
    fail "the cover does not fill the second screen: $(DISPLAY=$second xdotool getwindowgeometry "$cover")"
before=$(pressed)
xdotool mousemove --screen 1 300 250 click 1 key x
wait_for 'key X works the bar'
sleep 0.5
[ "$(pressed)" -eq "$before" ] || fail "locked: a click or a key on the second screen reached xev"
xdotool type --delay 100 quit
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0 && wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "typing quit ended the program with status $status"
echo "two X screens: the second covered while locked, its program gets no click and no key"
