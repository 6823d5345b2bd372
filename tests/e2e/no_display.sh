#!/usr/bin/env bash
# Where no display can be reached the program says so in one line, with Qt's reason, and exits
# with status 1; the command line is read before that: help, and each mistake in one line with
# status 2. Qt's own options still reach Qt (-display).
#   no_display.sh PATH/TO/zubiko
set -uo pipefail
# A display number no X server has: no socket and no lock file, far above those xvfb-run picks.
free=4000
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
nowhere="zubiko: cannot open a window: could not connect to display"
# DISPLAY | arguments | status | what stderr's one line is (a glob; help is on stdout)
rows=(
    "||1|$nowhere* (neither DISPLAY nor WAYLAND_DISPLAY is set)"
    ":$free||1|$nowhere :$free"
    "|--voice slt --kiosk|1|$nowhere *"
    "|-display :$free|1|$nowhere :$free*"
    "|--help|0|"
    "|--voice kal|2|zubiko: there is no voice \"kal\" (the voices: rms, slt)"
    "|--voice|2|zubiko: Missing value after '--voice'."
    "|--bogus -platform xcb|2|zubiko: Unknown option 'bogus'."
)
for row in "${rows[@]}"; do
    IFS='|' read -r display arguments expected line <<<"$row"
    # shellcheck disable=SC2086 # the arguments are words
    said=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" timeout 20 "$1" $arguments 2>&1 >/tmp/zubiko-out.$$)
    status=$?
    out=$(cat /tmp/zubiko-out.$$)
    rm -f /tmp/zubiko-out.$$
    if [ -z "$line" ]; then
        ok=$([ "$status" -eq "$expected" ] && [ -z "$said" ] && [[ $out == "Usage: zubiko [options]"*"--voice <name>"* ]] && echo yes)
    else
        # shellcheck disable=SC2053 # the line is a glob
        ok=$([ "$status" -eq "$expected" ] && [ "$(wc -l <<<"$said")" -eq 1 ] && [[ $said == $line ]] && echo yes)
    fi
    [ "$ok" = yes ] || { echo "FAIL: '$arguments' with DISPLAY='$display': status $status, said: $said$out" >&2; exit 1; }
done
echo "no display: ${#rows[@]} command lines as expected"
