#!/usr/bin/env bash
# The real program as a child uses it: one click on the bar, then only the space bar. What it did
# is read from its trace.
#   bar_cycle.sh PATH/TO/zubiko WORKING_DIR   (under an X server)
set -euo pipefail
log=$(mktemp) && trap 'kill "${pid:-}" 2>/dev/null || true; rm -f "$log"' EXIT
fail() { echo "FAIL: $*" >&2; cat "$log" >&2; exit 1; }
# Whether lines holding each text (any letter case) follow one another in the trace from line $1
# on; the silent sound, played to cut off another one, is left out.
in_order() {
    local from=$1
    for text in "${@:2}"; do
        from=$(text=$text awk -v from="$from" 'NR >= from && !/_nosound/ &&
            index(tolower($0), tolower(ENVIRON["text"])) { print NR + 1; exit }' "$log")
        [ -n "$from" ] || return 1
    done
}
wait_until() {
    for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
    fail "not in the trace in this order: ${*:3}"
}

cd "$2"
QT_LOGGING_RULES="zubiko.*.debug=true" SDL_AUDIODRIVER=dummy "$1" >"$log" 2>&1 &
pid=$!
wait_until in_order 1 'speak ",,, Zubiko'
wid=$(xdotool search --sync --onlyvisible --name '^Zubiko$' | head -1)
xdotool windowfocus --sync "$wid" key space
sleep 0.5
! grep -qF 'speak "Duck"' "$log" || fail "the space bar acted before the bar was clicked"

xdotool mousemove --window "$wid" 224 533 click 1
wait_until in_order 1 'speak "Duck"' 'click the green bar' 'pause 400000 passes done' 'playSound "sounds\duck.wav"'

xdotool key space
wait_until in_order 1 'loadPicture "animals\' 'loadPicture "animals\'
shown=$(grep -nF 'loadPicture "animals\' "$log" | sed -n 2p)
animal=$(grep -oi '[a-z]*\.jpg' <<<"$shown" | head -1) && animal=${animal%.jpg} && animal=${animal,,}
[ "$animal" != duck ] || fail "the duck came again"

xdotool key space
case $animal in fish | giraffe | turtle) heard='make no sound' ;; *) heard="playSound \"sounds\\$animal" ;; esac
wait_until in_order "${shown%%:*}" "speak \"$animal" 'pause 400000 passes done' "$heard"
[ "$(grep -cF 'click the green bar' "$log")" -eq 1 ] || fail "the help was said twice"
echo "bar cycle passed with the $animal"
