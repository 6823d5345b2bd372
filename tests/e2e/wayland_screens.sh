#!/usr/bin/env bash
# The locked mode on two screens, under headless sway with two outputs: a program shown on the second
# output before the lock (wev, which prints each input event it gets) gets the keys while unlocked;
# once Zubiko is locked, both outputs show Zubiko full screen, wev is hidden under it (so no click
# can reach it: headless sway has no pointer to click with) and gets no key; an output created while
# locked is covered too.
#   wayland_screens.sh PATH/TO/zubiko SOURCE_DIR [SCREENSHOT.png]   (needs sway, wtype, wev, python3)
source "$(dirname "$0")/../../testsupport/run_program.sh"
need sway wtype wev python3
source "$(dirname "$0")/sway.sh"
events=$top/out/wev more_logs+=("$events")
sway_start WLR_HEADLESS_OUTPUTS=2 </dev/null
sway() { "${session[@]}" swaymsg "$@" >/dev/null; }
# The programs' views in sway's tree, one line each: output, pid, full screen (0 or 1), shown (0 or 1).
views() {
    "${session[@]}" swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node, output):
    output = node["name"] if node.get("type") == "output" else output
    if node.get("pid"):
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
wait_until "wev did not start" eval 'views | grep -q "^HEADLESS-2 "'
wev_pid=$(views | awk '$1 == "HEADLESS-2" {print $2}')
key x
wait_until "unlocked: wev on HEADLESS-2 got no key" eval '[ "$(pressed)" -ge 1 ]'
sway focus output HEADLESS-1

zubiko_start --kiosk
wait_until "HEADLESS-2 was not covered" grep -q 'screen HEADLESS-2 covered' "$log"
pid=$(pgrep -f -n '^./zubiko --kiosk' || true)
covered() { [ "$(views | awk -v pid="$pid" '$2 == pid && $3 == 1 {print $1}' | sort -u | tr '\n' ' ')" = "$1" ]; }
wait_until "locked: not both outputs show Zubiko full screen: $(views)" covered "HEADLESS-1 HEADLESS-2 "

wait_until "locked: wev is still shown on HEADLESS-2: $(views)" eval 'views | grep -q "^HEADLESS-2 $wev_pid 0 0$"'
before=$(pressed)
key y
wait_until "locked: the key on HEADLESS-2 did not work Zubiko's bar" grep -q 'key Y works the bar' "$log"
sleep 0.5
[ "$(pressed)" -eq "$before" ] || fail "locked: wev on HEADLESS-2 got a key: $(tail -5 "$events")"
[ -z "${3:-}" ] || { "${session[@]}" grim "$top/out/shot.png" && cp "$top/out/shot.png" "$3"; }

sway create_output
wait_until "locked: the output created was not covered" grep -q 'screen HEADLESS-3 covered' "$log"
wait_until "locked: not all three outputs show Zubiko full screen: $(views)" covered "HEADLESS-1 HEADLESS-2 HEADLESS-3 "
echo "two outputs: both covered when locked, the view on the second hidden and gets no key, a third output covered"
