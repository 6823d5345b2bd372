#!/usr/bin/env bash
# Started where no display can be reached, the program says so in one line and exits with an
# error, instead of aborting with a core dump.
#   no_display.sh PATH/TO/zubiko
set -uo pipefail
err=$(mktemp)
trap 'rm -f "$err"' EXIT
for display in "" ":97"; do
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" timeout 20 "$1" 2>"$err" >/dev/null
    status=$?
    if [ "$status" -ne 1 ]; then
        echo "FAIL: DISPLAY='$display' exited with $status, not 1" >&2
        cat "$err" >&2
        exit 1
    fi
    if [ "$(wc -l <"$err")" -ne 1 ] || ! grep -q '^zubiko: .*no display' "$err"; then
        echo "FAIL: DISPLAY='$display' did not say so in one line:" >&2
        cat "$err" >&2
        exit 1
    fi
done
echo "no display: one line, exit 1: passed"
