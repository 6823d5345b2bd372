#!/usr/bin/env bash
# A screen with less room than the window (under openbox with a panel's margin): the window opens
# scaled down, wholly on the screen below the margin. The voice asked for on the command line is the
# one the program sets up. (A click on the scaled window: tst_startup, on the offscreen platform.)
#   fit.sh PATH/TO/zubiko WORKING_DIR   (runs itself under a virtual X server smaller than the window)
source "$(dirname "$0")/../../testsupport/run_program.sh"
on_x 1280x720 "$0" "$@"
rc=$(mktemp --suffix=.xml)
source "$(dirname "$0")/openbox.sh"

# 32 pixels kept free at the top, as a panel keeps them.
echo '<openbox_config xmlns="http://openbox.org/3.4/rc"><margins><top>32</top></margins></openbox_config>' >"$rc"
start "$1" "$2" --voice slt
wait_for 'voice slt'
wait_for 'window scaled by'
wid=$(xdotool search --sync --onlyvisible --name '^Zubiko$' | head -1)
# The frame is the window manager's; once it is known the window is fitted again.
sleep 1
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
read -r x y w h < <(xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}')
read -r left right top bottom < <(xprop -id "$wid" _NET_FRAME_EXTENTS | grep -o '[0-9, ]*$' | tr -d ,)
[ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 32 ] && [ $((x + w + right)) -le "$screen_w" ] &&
    [ $((y + h + bottom)) -le "$screen_h" ] ||
    fail "the window, ${w}x$h at $x,$y framed by $left $right $top $bottom, is not all on the ${screen_w}x$screen_h screen below the margin"
read -r layout_w layout_h < <(window_size)
[ "$w" -lt "$layout_w" ] || fail "the window was not scaled down: ${w}x$h"

echo "scaled to ${w}x$h at $x,$y on ${screen_w}x$screen_h with a 32-pixel margin; voice slt"
