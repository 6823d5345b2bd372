#!/usr/bin/env bash
# The real program in a real X server, as a child would use it: a click on the bar, then only the
# space bar. Reads what the program did from its trace.
#   bar_cycle.sh PATH/TO/zubiko WORKING_DIR
set -euo pipefail
zubiko=$(readlink -f "$1")
workdir=$2
log=$(mktemp)
trap 'kill "$pid" 2>/dev/null || true; rm -f "$log"' EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "--- trace ---" >&2
    cat "$log" >&2
    exit 1
}
# Waits until the trace has at least $2 lines matching $1.
wait_for() {
    local pattern=$1 count=${2:-1}
    for _ in $(seq 200); do
        [ "$(grep -c -- "$pattern" "$log" || true)" -ge "$count" ] && return 0
        sleep 0.1
    done
    fail "no '$pattern' (x$count) in the trace"
}
line_of() { grep -n -- "$1" "$log" | sed -n "${2:-1}p" | cut -d: -f1; }

cd "$workdir"
QT_LOGGING_RULES="zubiko.platform.debug=true" SDL_AUDIODRIVER=dummy "$zubiko" >"$log" 2>&1 &
pid=$!
wait_for 'speak ",,, Zubiko'
wid=$(xdotool search --sync --onlyvisible --name '^Zubiko$' | head -1)
xdotool windowfocus --sync "$wid"

# Right after start the space bar does nothing: the focus is not on the bar yet.
xdotool key space
sleep 0.5
grep -q 'speak "Duck"' "$log" && fail "space acted on the bar before the bar had the focus"

# A click on the bar says the duck's name, the help once, and after the pause plays its sound.
xdotool mousemove --window "$wid" 224 533 click 1
wait_for 'playSound "sounds\\duck.wav"'
said=$(line_of 'speak "Duck"')
help=$(line_of 'speak ",,,,,,,,,,,,,,,,,,,,,,click the green bar')
paused=$(line_of 'pause 400000 passes done')
sound=$(line_of 'playSound "sounds\\duck.wav"')
[ -n "$said" ] && [ -n "$help" ] && [ -n "$paused" ] || fail "name, help or pause missing"
[ "$said" -lt "$help" ] && [ "$help" -lt "$paused" ] && [ "$paused" -lt "$sound" ] ||
    fail "expected name, help, the long pause, then the sound"

# The space bar now acts on the bar: the next animal is a new one, not the duck.
xdotool key space
wait_for 'loadPicture "animals\\' 2
next=$(grep 'loadPicture "animals\\' "$log" | sed -n 2p | sed 's/.*loadPicture "animals\\\([^"]*\)".*/\1/')
[ "${next,,}" != "duck.jpg" ] || fail "the duck, already shown, came again"

# And again: its name, then its sound; the help is not repeated.
xdotool key space
wait_for 'pause 400000 passes done' 2
wait_for 'playSound "sounds\\' 2
[ "$(grep -c 'click the green bar' "$log")" -eq 1 ] || fail "the help was spoken twice"
echo "bar cycle: name, sound, next animal (${next}), name again: passed"
