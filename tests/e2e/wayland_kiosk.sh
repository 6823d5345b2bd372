#!/usr/bin/env bash
# The locked mode under headless sway, which holds back its shortcuts on request: locked, its keys
# (Super+Return runs a command, Alt+F4 closes) reach Zubiko, sway keeps idle off for it, shortcuts
# taken back by the user are held again when Zubiko is active again; "quit" ends it with 0. Unlocked, the same keys act in sway: proof that its bindings are live.
# With "cage": the child's session, the login-screen entry's own command under headless cage; Zubiko
# runs through cage's Xwayland, where xdotool can type (cage has no virtual keyboard): it fills the
# output, a key works the bar, and "quit" ends Zubiko and cage with it.
#   wayland_kiosk.sh PATH/TO/zubiko SOURCE_DIR [cage]   (needs sway, wtype and Qt's Wayland plugin;
#   with cage: cage, xwayland and xdotool)
source "$(dirname "$0")/../../testsupport/run_program.sh"
if [ "${3:-}" = cage ]; then need cage Xwayland xdotool; else need sway wtype; fi
source "$(dirname "$0")/sway.sh"
marker=$top/out/marker

if [ "${3:-}" = cage ]; then
    read -ra command < <(sed -n 's/^Exec=//p' "$2/desktop/org.example.Zubiko.Session.desktop")
    (cd "$top/app" && exec "${session[@]}" PATH="$top/app:/usr/bin:/bin" "${headless[@]}" QT_QPA_PLATFORM=xcb \
        QT_LOGGING_RULES="zubiko.*.debug=true" SDL_AUDIODRIVER=dummy "${command[@]}" >"$log" 2>&1) & sway=$!
    wait_until "Zubiko did not take the keyboard under cage" grep -q 'keyboard grabbed' "$log"
    x() { "${as_user[@]}" env DISPLAY="$(tr '\0' '\n' <"/proc/$(pgrep -P "$sway" -x zubiko)/environ" | sed -n 's/^DISPLAY=//p')" xdotool "$@"; }
    x search --onlyvisible --name '^Zubiko$' getwindowgeometry %@ | grep -q "Geometry: $(x getdisplaygeometry | tr ' ' x)" ||
        fail "Zubiko does not fill cage's output"
    x key x
    wait_until "a key did not work the bar" grep -q 'key X works the bar' "$log"
    x type --delay 100 quit || true # the X server may end before the last key is up
    wait_until "typing quit did not end cage" eval '! running "$sway"'
    status=0 && wait "$sway" || status=$?
    [ "$status" -eq 0 ] && grep -q 'quit typed' "$log" || fail "quit ended cage with status $status"
    echo "the child's session: cage with the entry's command, Zubiko fills the output, keys work the bar, quit ends it"
    exit 0
fi

sway_start <<<"bindsym Mod4+Return exec touch $marker
bindsym Mod1+F4 kill"
sway_do() { "${session[@]}" swaymsg "$@"; }
idle_inhibited() { sway_do -t get_tree | grep -q '"inhibit_idle": true'; }

start() { rm -f "$marker"; zubiko_start "$@"; } # start [--kiosk]
# Each wtype run brings a fresh keymap, and its first key may be lost: each run starts with x,
# whose bar press is not counted. wtype's keymap gives Super_L and Alt_L no modifier, so a chord
# presses the key and sets its modifier, as a keyboard does.
chords=(-k x -s 300 -P Super_L -M logo -k Return -m logo -p Super_L -s 300 -P Alt_L -M alt -k F4 -m alt -p Alt_L -s 300)
keys() { grep -a "zubiko.window: key .*${1:-}" "$log" | grep -avc 'key X '; } # keys [WHAT]: the keys traced

start
! idle_inhibited || fail "unlocked: sway keeps idle off for Zubiko"
"${session[@]}" wtype "${chords[@]}"
wait_until "unlocked: Super+Return did not run the compositor's command" test -e "$marker"
wait_until "unlocked: Alt+F4 did not close Zubiko" eval '! running'

start --kiosk
wait_until "locked: the compositor did not hold back its shortcuts" grep -q 'shortcuts inhibited' "$log"
"${session[@]}" wtype "${chords[@]}"
wait_until "locked: not all 4 keys of Super+Return and Alt+F4 reached Zubiko" eval '[ "$(keys)" -ge 4 ]'
sleep 0.5
[ ! -e "$marker" ] || fail "locked: Super+Return ran the compositor's command"
idle_inhibited || fail "locked: sway does not keep idle off for Zubiko"
# The user takes the shortcuts back; Zubiko, active again, holds them again.
sway_do 'seat - shortcuts_inhibitor deactivate' >/dev/null
sway_do 'workspace 2' >/dev/null && sway_do 'workspace 1' >/dev/null
wait_until "locked: the shortcuts were not held again" eval '[ "$(grep -c "shortcuts inhibited" "$log")" -ge 2 ]'
"${session[@]}" wtype -k x -s 300 -P Super_L -M logo -k Return -m logo -p Super_L -s 300
sleep 0.5
[ ! -e "$marker" ] || fail "locked, held again: Super+Return ran the compositor's command"
"${session[@]}" wtype -k x -s 300 -d 100 quit
wait_until "typing quit did not end Zubiko" eval '! running'
status=0 && wait "$zubiko" || status=$?
[ "$status" -eq 0 ] || fail "typing quit ended Zubiko with status $status"
grep -q 'shortcuts given back' "$log" || fail "the shortcuts were not given back on leaving"
echo "Wayland: unlocked the compositor's keys act; locked each works the bar once, idle is held, the shortcuts renewed; quit leaves with 0"
