#!/usr/bin/env bash
# The word that leaves the locked mode on keyboards of other layouts: on a Greek layout the keys at
# Q U I T of a US keyboard (which write ; θ ι τ there) end Zubiko with 0; on a French one (AZERTY),
# the letters q u i t where that layout has them do. (Russian and others: tst_press_rules.)
#   quit_word.sh PATH/TO/zubiko WORKING_DIR   (runs itself under a virtual X server; needs setxkbmap)
source "$(dirname "$0")/../../testsupport/run_program.sh"
on_x 1280x1024 "$0" "$@"
need setxkbmap
source "$(dirname "$0")/openbox.sh"
# layout, then four keysyms and the keycodes they must be sent on (the X server's, Linux codes + 8)
cases=("gr semicolon Greek_theta Greek_iota Greek_tau 24 30 31 28" "fr q u i t 38 30 31 28")
for case in "${cases[@]}"; do
    read -r layout k1 k2 k3 k4 c1 c2 c3 c4 <<<"$case"
    start "$1" "$2" --kiosk
    wait_for 'keyboard grabbed'
    # Set while clients are connected: an X server left by its last client starts afresh, layout too.
    setxkbmap "$layout"
    sleep 1 # for Zubiko to take up the new keymap, which the X server announces after the fact
    xdotool key "$k1"
    wait_for 'is a step of the word'
    xdotool key --delay 100 "$k2" "$k3" "$k4"
    wait_until "$layout: $k1 $k2 $k3 $k4 did not end the program" eval '! kill -0 "$pid"'
    status=0 && wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "$layout: the word ended the program with status $status"
    # xdotool sends a keysym on a key that has it in the keymap: the keys Zubiko saw are the ones meant.
    [ "$(grep -E 'step of the word|ends the word' "$log" | grep -o 'scan code [0-9]*' | grep -o '[0-9]*$' | tr '\n' ' ')" = "$c1 $c2 $c3 $c4 " ] ||
        fail "$layout: the keys were not sent on keycodes $c1 $c2 $c3 $c4"
    kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null || true
done
echo "the word on other layouts: gr by the keys at Q U I T, fr by the letters; each ends with 0"
