#!/usr/bin/env bash
# The locked mode under headless sway, which holds back its shortcuts on request: locked, its keys
# (Super+Return runs a command, Alt+F4 closes) reach Zubiko and each works the bar once; "quit" ends
# it with 0. Unlocked, the same keys act in sway: proof that its bindings are live. sway refuses root:
# as root, both run as the user zubiko-e2e (made if missing) from a copy in a folder it can read.
#   wayland_kiosk.sh PATH/TO/zubiko SOURCE_DIR   (needs sway, wtype and Qt's Wayland plugin)
source "$(dirname "$0")/lib.sh"
need sway wtype
top=$(mktemp -d) && chmod 755 "$top" && mkdir "$top/app" "$top/run" "$top/out"
trap 'kill "${zubiko:-}" "${sway:-}" 2>/dev/null || true; wait 2>/dev/null; rm -rf "$top"' EXIT
cp "$1" "$top/app/zubiko"
cp -r "$2/animals" "$2/sounds" "$top/app/" 2>/dev/null && chmod -R a+rX "$top/app" || echo "note: no data" >&2
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    id zubiko-e2e >/dev/null 2>&1 || useradd --system --user-group --no-create-home --shell /usr/sbin/nologin zubiko-e2e
    chown zubiko-e2e: "$top/run" "$top/out"
    as_user=(setpriv --reuid=zubiko-e2e --regid=zubiko-e2e --init-groups)
fi
chmod 700 "$top/run"
session=("${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$top/out" XDG_RUNTIME_DIR="$top/run" LANG=C.UTF-8)
log=$top/out/trace marker=$top/out/marker more_logs=("$top/out/sway.log")
# Whether Zubiko still runs: an ended child stays a zombie (state Z) until waited for.
running() { [ -e "/proc/$zubiko" ] && ! grep -q '^[0-9]* (.*) Z' "/proc/$zubiko/stat"; }

printf '%s\n' 'xwayland disable' "bindsym Mod4+Return exec touch $marker" 'bindsym Mod1+F4 kill' >"$top/out/config"
"${session[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$top/out/config" >"$top/out/sway.log" 2>&1 & sway=$!
socket() { compgen -G "$top/run/wayland-*[0-9]" | head -1; }
wait_until "sway did not start" socket
session+=(WAYLAND_DISPLAY="$(basename "$(socket)")")

start() { # start [--kiosk]
    rm -f "$log" "$marker"
    (cd "$top/app" && exec "${session[@]}" QT_QPA_PLATFORM=wayland QT_LOGGING_RULES="zubiko.*.debug=true" \
        SDL_AUDIODRIVER=dummy ./zubiko "$@" >"$log" 2>&1) & zubiko=$!
    wait_until "the window did not start" grep -q 'speak "' "$log"
}
# Each wtype run brings a fresh keymap, and its first key may be lost: each run starts with x,
# whose bar press is not counted. wtype's keymap gives Super_L and Alt_L no modifier, so a chord
# presses the key and sets its modifier, as a keyboard does.
chords=(-k x -s 300 -P Super_L -M logo -k Return -m logo -p Super_L -s 300 -P Alt_L -M alt -k F4 -m alt -p Alt_L -s 300)
keys() { grep -a "zubiko.window: key .*${1:-}" "$log" | grep -avc 'key X '; } # keys [WHAT]: the keys traced

start
"${session[@]}" wtype "${chords[@]}"
wait_until "unlocked: Super+Return did not run the compositor's command" test -e "$marker"
wait_until "unlocked: Alt+F4 did not close Zubiko" eval '! running'

start --kiosk
wait_until "locked: the compositor did not hold back its shortcuts" grep -q 'shortcuts inhibited' "$log"
"${session[@]}" wtype "${chords[@]}"
wait_until "locked: not all 4 keys of Super+Return and Alt+F4 reached Zubiko" eval '[ "$(keys)" -ge 4 ]'
sleep 0.5
[ ! -e "$marker" ] || fail "locked: Super+Return ran the compositor's command"
[ "$(keys 'works the bar')" -eq 2 ] || fail "locked: Super+Return and Alt+F4 worked the bar $(keys 'works the bar') times, not once each"
"${session[@]}" wtype -k x -s 300 -d 100 quit
wait_until "typing quit did not end Zubiko" eval '! running'
status=0 && wait "$zubiko" || status=$?
[ "$status" -eq 0 ] || fail "typing quit ended Zubiko with status $status"
grep -q 'shortcuts given back' "$log" || fail "the shortcuts were not given back on leaving"
echo "Wayland: unlocked the compositor's keys act; locked each works the bar once; quit leaves with 0"
