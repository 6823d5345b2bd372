#!/usr/bin/env bash
# The locked mode on two screens, under headless sway with two outputs: a program shown on the second
# output before the lock (wev, which prints each input event it gets) gets the keys while unlocked;
# once Zubiko is locked, both outputs show Zubiko full screen, wev is hidden under it (so no click
# can reach it: headless sway has no pointer to click with) and gets no key; an output created while
# locked is covered too. Set up as wayland_kiosk.sh is (sway
# refuses root: as root, all runs as the user zubiko-e2e).
#   wayland_screens.sh PATH/TO/zubiko SOURCE_DIR [SCREENSHOT.png]   (needs sway, wtype, wev, python3)
set -euo pipefail
for tool in sway wtype wev python3; do command -v $tool >/dev/null || { echo "no $tool"; exit 77; }; done
top=$(mktemp -d) && chmod 755 "$top" && mkdir "$top/app" "$top/run" "$top/out"
trap 'kill "${zubiko:-}" "${wev:-}" "${sway:-}" 2>/dev/null || true; wait 2>/dev/null; rm -rf "$top"' EXIT
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
log=$top/out/trace events=$top/out/wev
fail() { echo "FAIL: $*" >&2; cat "$log" "$top/out/sway.log" "$events" >&2 2>/dev/null; exit 1; }
wait_for() { for _ in $(seq 150); do "${@:2}" >/dev/null && return 0; sleep 0.1; done; fail "$1"; } # FAILURE COMMAND...

printf '%s\n' 'xwayland disable' >"$top/out/config"
"${session[@]}" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=2 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$top/out/config" >"$top/out/sway.log" 2>&1 & sway=$!
wait_for "sway did not start" compgen -G "$top/run/sway-ipc.*"
wait_for "sway did not start" compgen -G "$top/run/wayland-*[0-9]"
session+=(WAYLAND_DISPLAY="$(basename "$(compgen -G "$top/run/wayland-*[0-9]" | head -1)")"
          SWAYSOCK="$(compgen -G "$top/run/sway-ipc.*" | head -1)")
sway() { "${session[@]}" swaymsg "$@" >/dev/null; }
# The programs' windows in sway's tree, one line each: output, pid, full screen (0 or 1), shown (0 or 1).
windows() {
    "${session[@]}" swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node, output):
    output = node["name"] if node.get("type") == "output" else output
    if node.get("pid"):
        r = node["rect"]
        print(output, node["pid"], node.get("fullscreen_mode", 0), int(node.get("visible", False)))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child, output)
walk(json.load(sys.stdin), None)'
}
# wtype's keyboard is a new device each run: the programs take it up before its key comes.
key() { "${session[@]}" wtype -s 500 -k "$1"; }
pressed() { grep -ac 'wl_keyboard] key: .* state: 1 (pressed)' "$events" || true; }

# The view on the second output, before the lock: it is shown and gets the keys.
sway focus output HEADLESS-2
"${session[@]}" stdbuf -oL wev >"$events" 2>&1 & wev=$! # line by line, not when it ends
wait_for "wev did not start" eval 'windows | grep -q "^HEADLESS-2 "'
wev_pid=$(windows | awk '$1 == "HEADLESS-2" {print $2}')
key x
wait_for "unlocked: wev on HEADLESS-2 got no key" eval '[ "$(pressed)" -ge 1 ]'
sway focus output HEADLESS-1

(cd "$top/app" && exec "${session[@]}" QT_QPA_PLATFORM=wayland QT_LOGGING_RULES="zubiko.*.debug=true" \
    SDL_AUDIODRIVER=dummy ./zubiko --kiosk >"$log" 2>&1) & zubiko=$!
wait_for "the locked view did not start" grep -q 'speak "' "$log"
wait_for "HEADLESS-2 was not covered" grep -q 'screen HEADLESS-2 covered' "$log"
pid=$(pgrep -f -n '^./zubiko --kiosk' || true)
covered() { [ "$(windows | awk -v pid="$pid" '$2 == pid && $3 == 1 {print $1}' | sort -u | tr '\n' ' ')" = "$1" ]; }
wait_for "locked: not both outputs show Zubiko full screen: $(windows)" covered "HEADLESS-1 HEADLESS-2 "

wait_for "locked: wev is still shown on HEADLESS-2: $(windows)" eval 'windows | grep -q "^HEADLESS-2 $wev_pid 0 0$"'
before=$(pressed)
key y
wait_for "locked: the key on HEADLESS-2 did not work Zubiko's bar" grep -q 'key Y works the bar' "$log"
sleep 0.5
[ "$(pressed)" -eq "$before" ] || fail "locked: wev on HEADLESS-2 got a key: $(tail -5 "$events")"
[ -z "${3:-}" ] || { "${session[@]}" grim "$top/out/shot.png" && cp "$top/out/shot.png" "$3"; }

sway create_output
wait_for "locked: the output created was not covered" grep -q 'screen HEADLESS-3 covered' "$log"
wait_for "locked: not all three outputs show Zubiko full screen: $(windows)" covered "HEADLESS-1 HEADLESS-2 HEADLESS-3 "
"${session[@]}" wtype -s 500 -d 100 quit
wait_for "typing quit did not end Zubiko" eval '! kill -0 "$zubiko" 2>/dev/null || grep -q "^[0-9]* (.*) Z" /proc/$zubiko/stat'
echo "two outputs: both covered when locked, the view on the second hidden and gets no key, a third output covered"
