#!/usr/bin/env bash
# The locked mode under a Wayland compositor that can hold back its shortcuts (sway, headless):
# with Zubiko locked and active, the compositor's own keys (Super+Return runs a command, Alt+F4
# closes the window) reach Zubiko, each works the bar once, and typing "quit" ends it with 0. The
# same keys sent while Zubiko runs unlocked act in the compositor: proof that the bindings are live.
#   wayland_kiosk.sh PATH/TO/zubiko SOURCE_DIR   (needs sway, wtype and Qt's Wayland plugin)
# sway refuses to run as root: as root, the compositor and Zubiko run as the user zubiko-e2e
# (created when missing), with a copy of the program and its data in a folder that user can read.
set -euo pipefail
for tool in sway wtype; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
top=$(mktemp -d)
trap 'kill "${zubiko:-}" "${sway:-}" 2>/dev/null || true; wait 2>/dev/null; rm -rf "$top"' EXIT
chmod 755 "$top"
mkdir "$top/app" "$top/run" "$top/out"
cp "$1" "$top/app/zubiko"
cp -r "$2/animals" "$2/sounds" "$top/app/" 2>/dev/null && chmod -R a+rX "$top/app" ||
    echo "note: no pictures or sounds, running without" >&2
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    id zubiko-e2e >/dev/null 2>&1 || useradd --system --user-group --no-create-home --shell /usr/sbin/nologin zubiko-e2e
    chown zubiko-e2e: "$top/run" "$top/out"
    as_user=(setpriv --reuid=zubiko-e2e --regid=zubiko-e2e --init-groups)
fi
chmod 700 "$top/run"
env=(env -i PATH=/usr/bin:/bin HOME="$top/out" XDG_RUNTIME_DIR="$top/run" LANG=C.UTF-8)
log=$top/out/trace
fail() { echo "FAIL: $*" >&2; cat "$log" "$top/out/sway.log" >&2 2>/dev/null; exit 1; }
wait_for() { # wait_for WHAT COMMAND...
    local what=$1 && shift
    for _ in $(seq 150); do "$@" && return 0; sleep 0.1; done
    fail "$what"
}

cat >"$top/out/config" <<EOF
xwayland disable
output HEADLESS-1 resolution 1280x800
bindsym Mod4+Return exec touch $top/out/marker
bindsym Mod1+F4 kill
EOF
"${as_user[@]}" "${env[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$top/out/config" >"$top/out/sway.log" 2>&1 &
sway=$!
wait_for "sway did not start: $(cat "$top/out/sway.log")" compgen -G "$top/run/wayland-*[0-9]" >/dev/null
socket=$(basename "$(compgen -G "$top/run/wayland-*[0-9]" | head -1)")
in_session=("${as_user[@]}" "${env[@]}" WAYLAND_DISPLAY="$socket")

start() { # start [--kiosk]
    rm -f "$log" "$top/out/marker"
    (cd "$top/app" && exec "${in_session[@]}" QT_QPA_PLATFORM=wayland QT_LOGGING_RULES="zubiko.*.debug=true" \
        SDL_AUDIODRIVER=dummy ./zubiko "$@" >"$log" 2>&1) &
    zubiko=$!
    wait_for "no 'speak' in the trace: the window did not start" grep -q 'speak "' "$log"
}
in_trace() { grep -qF "$1" "$log"; }
# Whether Zubiko still runs: an ended child stays a zombie (state Z) until waited for.
running() { [ -e "/proc/$zubiko" ] && ! grep -q '^[0-9]* (.*) Z' "/proc/$zubiko/stat"; }
# A fresh keymap comes with every wtype run, and the run's first key may be lost on the way: each
# run starts with x, a key whose own bar press is not counted. wtype's keymap binds no modifier to
# Super_L or Alt_L, so each chord presses the key and sets its modifier, as a keyboard does.
chords=(-k x -s 300 -P Super_L -M logo -k Return -m logo -p Super_L -s 300 -P Alt_L -M alt -k F4 -m alt -p Alt_L -s 300)
presses() { grep 'works the bar' "$log" | grep -vc 'key X works'; }

# Unlocked, the compositor acts on its keys: Super+Return leaves the marker, Alt+F4 closes Zubiko.
start
"${in_session[@]}" wtype "${chords[@]}"
wait_for "unlocked: Super+Return did not run the compositor's command" test -e "$top/out/marker"
wait_for "unlocked: Alt+F4 did not close Zubiko" eval '! running'

# Locked and active, the compositor holds back its shortcuts and passes the keys on.
start --kiosk
wait_for "the compositor did not hold back its shortcuts" in_trace 'shortcuts inhibited'
"${in_session[@]}" wtype "${chords[@]}"
sleep 1
running || fail "locked: Alt+F4 ended Zubiko"
[ ! -e "$top/out/marker" ] || fail "locked: Super+Return ran the compositor's command"
[ "$(presses)" -eq 2 ] || fail "locked: Super+Return and Alt+F4 worked the bar $(presses) times, not once each"

"${in_session[@]}" wtype -k x -s 300 -d 100 quit
wait_for "typing quit did not end Zubiko" eval '! running'
status=0 && wait "$zubiko" || status=$?
[ "$status" -eq 0 ] || fail "typing quit ended Zubiko with status $status"
grep -qF 'shortcuts given back to the compositor' "$log" || fail "the shortcuts were not given back on leaving"
echo "Wayland: unlocked the compositor's keys act; locked they work the bar once each; quit leaves with 0"
