#!/usr/bin/env bash
# Where no display can be reached the program says so in one line, with Qt's reason, and exits
# with status 1.
#   no_display.sh PATH/TO/zubiko
set -uo pipefail
# A display number no X server has: no socket and no lock file, far above those xvfb-run picks.
free=4000
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
for display in "" ":$free"; do
    said=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" timeout 20 "$1" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 1 ] && [ "$(wc -l <<<"$said")" -eq 1 ] &&
        [[ $said == "zubiko: cannot open a window: could not connect to display"* ]] &&
        { [ -n "$display" ] || [[ $said == *"(neither DISPLAY nor WAYLAND_DISPLAY is set)" ]]; } &&
        { [ -z "$display" ] || [[ $said == *"display $display" ]]; } ||
        { echo "FAIL: with DISPLAY='$display' the status was $status and it said: $said" >&2; exit 1; }
done
echo "no display: one line, status 1"
