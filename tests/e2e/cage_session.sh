#!/usr/bin/env bash
# The child's session: the login-screen entry's own command under headless cage, as an unprivileged
# user (zubiko-e2e when started as root). Zubiko runs through cage's Xwayland, where xdotool can type
# (cage has no virtual keyboard): it fills the output, a key works the bar, and typing "quit" ends
# Zubiko and cage with it.
#   cage_session.sh PATH/TO/zubiko SOURCE_DIR   (needs cage, xwayland and xdotool)
set -euo pipefail
for tool in cage Xwayland xdotool; do command -v $tool >/dev/null || { echo "skipped: no $tool"; exit 77; }; done
top=$(mktemp -d) && chmod 755 "$top" && mkdir "$top/app" "$top/run" "$top/out"
trap 'kill "${cage:-}" 2>/dev/null || true; wait 2>/dev/null; rm -rf "$top"' EXIT
cp "$1" "$top/app/zubiko"
cp -r "$2/animals" "$2/sounds" "$top/app/" 2>/dev/null && chmod -R a+rX "$top/app" || echo "note: no data" >&2
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    id zubiko-e2e >/dev/null 2>&1 || useradd --system --user-group --no-create-home --shell /usr/sbin/nologin zubiko-e2e
    chown zubiko-e2e: "$top/run" "$top/out"
    as_user=(setpriv --reuid=zubiko-e2e --regid=zubiko-e2e --init-groups)
fi
chmod 700 "$top/run"
log=$top/out/trace
fail() { echo "FAIL: $*" >&2; cat "$log" >&2; exit 1; }
wait_for() { for _ in $(seq 150); do "${@:2}" >/dev/null 2>&1 && return 0; sleep 0.1; done; fail "$1"; } # FAILURE COMMAND...
running() { [ -e "/proc/$1" ] && ! grep -q '^[0-9]* (.*) Z' "/proc/$1/stat"; }

read -ra command < <(sed -n 's/^Exec=//p' "$2/desktop/org.example.Zubiko.Session.desktop")
(cd "$top/app" && exec "${as_user[@]}" env -i PATH="$top/app:/usr/bin:/bin" HOME="$top/out" XDG_RUNTIME_DIR="$top/run" \
    LANG=C.UTF-8 WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman QT_QPA_PLATFORM=xcb \
    QT_LOGGING_RULES="zubiko.*.debug=true" SDL_AUDIODRIVER=dummy "${command[@]}" >"$log" 2>&1) & cage=$!
wait_for "Zubiko did not take the keyboard under cage" grep -q 'keyboard grabbed' "$log"
zubiko=$(pgrep -P "$cage" -x zubiko)
display=$(tr '\0' '\n' <"/proc/$zubiko/environ" | sed -n 's/^DISPLAY=//p')
x() { "${as_user[@]}" env DISPLAY="$display" xdotool "$@"; }
x search --onlyvisible --name '^Zubiko$' getwindowgeometry %@ | grep -q "Geometry: $(x getdisplaygeometry | tr ' ' x)" ||
    fail "Zubiko does not fill the output: $(x search --onlyvisible --name '^Zubiko$' getwindowgeometry %@)"
x key x
wait_for "a key did not work the bar" grep -q 'key X works the bar' "$log"
x type --delay 100 quit || true # the X server may end before the last key is up
wait_for "typing quit did not end cage" eval '! running "$cage"'
status=0 && wait "$cage" || status=$?
[ "$status" -eq 0 ] && grep -q 'quit typed' "$log" || fail "quit ended cage with status $status"
echo "the child's session: cage with the entry's command, Zubiko fills the output, keys work the bar, quit ends it"
