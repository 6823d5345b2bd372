#!/usr/bin/env bash
# The locked mode under headless sway, which holds back its shortcuts on request: locked, its keys
# (Super+Return runs a command, Alt+F4 closes) reach Zubiko and each works the bar once, sway keeps
# idle off for it, shortcuts taken back by the user are held again when Zubiko is active again;
# "quit" ends it with 0. Unlocked, the same keys act in sway: proof that its bindings are live. sway refuses root:
# as root, both run as the user zubiko-e2e (made if missing) from a copy in a folder it can read.
# With "cage": the child's session, the login-screen entry's own command under headless cage; Zubiko
# runs through cage's Xwayland, where xdotool can type (cage has no virtual keyboard): it fills the
# output, a key works the bar, and "quit" ends Zubiko and cage with it.
#   wayland_kiosk.sh PATH/TO/zubiko SOURCE_DIR [cage]   (needs sway, wtype and Qt's Wayland plugin;
#   with cage: cage, xwayland and xdotool)
set -euo pipefail
for tool in ${3:+cage Xwayland xdotool}; do command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }; done
top=$(mktemp -d) && chmod 755 "$top" && mkdir "$top/app" "$top/run" "$top/out"
trap 'kill "${zubiko:-}" "${sway:-}" 2>/dev/null || true; wait 2>/dev/null; rm -rf "$top"' EXIT
cp "$1" "$(dirname "$1")/zubiko-wayland.so" "$top/app/"
cp -r "$2/animals" "$2/sounds" "$top/app/" 2>/dev/null && chmod -R a+rX "$top/app" || echo "note: no data" >&2
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    id zubiko-e2e >/dev/null 2>&1 || useradd --system --user-group --no-create-home --shell /usr/sbin/nologin zubiko-e2e
    chown zubiko-e2e: "$top/run" "$top/out"
    as_user=(setpriv --reuid=zubiko-e2e --regid=zubiko-e2e --init-groups)
fi
chmod 700 "$top/run"
session=("${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$top/out" XDG_RUNTIME_DIR="$top/run" LANG=C.UTF-8)
log=$top/out/trace marker=$top/out/marker
fail() { echo "FAIL: $*" >&2; cat "$log" "$top/out/sway.log" >&2 2>/dev/null; exit 1; }
wait_for() { for _ in $(seq 150); do "${@:2}" >/dev/null && return 0; sleep 0.1; done; fail "$1"; } # FAILURE COMMAND...
# Whether Zubiko still runs: an ended child stays a zombie (state Z) until waited for.
running() { [ -e "/proc/${1:-$zubiko}" ] && ! grep -q '^[0-9]* (.*) Z' "/proc/${1:-$zubiko}/stat"; }

if [ "${3:-}" = cage ]; then
    read -ra command < <(sed -n 's/^Exec=//p' "$2/desktop/org.example.Zubiko.Session.desktop")
    (cd "$top/app" && exec "${session[@]}" PATH="$top/app:/usr/bin:/bin" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="zubiko.*.debug=true" SDL_AUDIODRIVER=dummy \
        "${command[@]}" >"$log" 2>&1) & sway=$!
    wait_for "Zubiko did not take the keyboard under cage" grep -q 'keyboard grabbed' "$log"
    x() { "${as_user[@]}" env DISPLAY="$(tr '\0' '\n' <"/proc/$(pgrep -P "$sway" -x zubiko)/environ" | sed -n 's/^DISPLAY=//p')" xdotool "$@"; }
    x search --onlyvisible --name '^Zubiko$' getwindowgeometry %@ | grep -q "Geometry: $(x getdisplaygeometry | tr ' ' x)" ||
        fail "Zubiko does not fill cage's output"
    x key x
    wait_for "a key did not work the bar" grep -q 'key X works the bar' "$log"
    x type --delay 100 quit || true # the X server may end before the last key is up
    wait_for "typing quit did not end cage" eval '! running "$sway"'
    status=0 && wait "$sway" || status=$?
    [ "$status" -eq 0 ] && grep -q 'quit typed' "$log" || fail "quit ended cage with status $status"
    echo "the child's session: cage with the entry's command, Zubiko fills the output, keys work the bar, quit ends it"
    exit 0
fi

printf '%s\n' 'xwayland disable' "bindsym Mod4+Return exec touch $marker" 'bindsym Mod1+F4 kill' >"$top/out/config"
"${session[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$top/out/config" >"$top/out/sway.log" 2>&1 & sway=$!
socket() { compgen -G "$top/run/wayland-*[0-9]" | head -1; }
wait_for "sway did not start" socket
session+=(WAYLAND_DISPLAY="$(basename "$(socket)")")
wait_for "sway's IPC did not start" compgen -G "$top/run/sway-ipc.*.sock"
sway_do() { "${session[@]}" SWAYSOCK="$(compgen -G "$top/run/sway-ipc.*.sock")" swaymsg "$@"; }
idle_inhibited() { sway_do -t get_tree | grep -q '"inhibit_idle": true'; }

start() { # start [--kiosk]
    rm -f "$log" "$marker"
    (cd "$top/app" && exec "${session[@]}" QT_QPA_PLATFORM=wayland QT_LOGGING_RULES="zubiko.*.debug=true" \
        SDL_AUDIODRIVER=dummy ./zubiko "$@" >"$log" 2>&1) & zubiko=$!
    wait_for "the window did not start" grep -q 'speak "' "$log"
}
# Each wtype run brings a fresh keymap, and its first key may be lost: each run starts with x,
# whose bar press is not counted. wtype's keymap gives Super_L and Alt_L no modifier, so a chord
# presses the key and sets its modifier, as a keyboard does.
chords=(-k x -s 300 -P Super_L -M logo -k Return -m logo -p Super_L -s 300 -P Alt_L -M alt -k F4 -m alt -p Alt_L -s 300)
keys() { grep -a "zubiko.window: key .*${1:-}" "$log" | grep -avc 'key X '; } # keys [WHAT]: the keys traced

start
! idle_inhibited || fail "unlocked: sway keeps idle off for Zubiko"
"${session[@]}" wtype "${chords[@]}"
wait_for "unlocked: Super+Return did not run the compositor's command" test -e "$marker"
wait_for "unlocked: Alt+F4 did not close Zubiko" eval '! running'

start --kiosk
wait_for "locked: the compositor did not hold back its shortcuts" grep -q 'shortcuts inhibited' "$log"
"${session[@]}" wtype "${chords[@]}"
wait_for "locked: not all 4 keys of Super+Return and Alt+F4 reached Zubiko" eval '[ "$(keys)" -ge 4 ]'
sleep 0.5
[ ! -e "$marker" ] || fail "locked: Super+Return ran the compositor's command"
[ "$(keys 'works the bar')" -eq 2 ] || fail "locked: Super+Return and Alt+F4 worked the bar $(keys 'works the bar') times, not once each"
idle_inhibited || fail "locked: sway does not keep idle off for Zubiko"
# The user takes the shortcuts back; Zubiko, active again, holds them again.
sway_do 'seat - shortcuts_inhibitor deactivate' >/dev/null
sway_do 'workspace 2' >/dev/null && sway_do 'workspace 1' >/dev/null
wait_for "locked: the shortcuts were not held again" eval '[ "$(grep -c "shortcuts inhibited" "$log")" -ge 2 ]'
"${session[@]}" wtype -k x -s 300 -P Super_L -M logo -k Return -m logo -p Super_L -s 300
sleep 0.5
[ ! -e "$marker" ] || fail "locked, held again: Super+Return ran the compositor's command"
"${session[@]}" wtype -k x -s 300 -d 100 quit
wait_for "typing quit did not end Zubiko" eval '! running'
status=0 && wait "$zubiko" || status=$?
[ "$status" -eq 0 ] || fail "typing quit ended Zubiko with status $status"
grep -q 'shortcuts given back' "$log" || fail "the shortcuts were not given back on leaving"
echo "Wayland: unlocked the compositor's keys act; locked each works the bar once, idle is held, the shortcuts renewed; quit leaves with 0"
