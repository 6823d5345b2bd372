#!/bin/bash
# The generator's steps on small inputs made here; needs no download and no generated data.
#   generator_steps.sh SOURCE_DIR
set -uo pipefail
# shellcheck source=../../datagen/lib.sh
source "$1/datagen/lib.sh"
in=$(mktemp -d)
trap 'rm -rf "$in"' EXIT
export DG_CACHE=$in/cache DG_WORK=$in/work
umask 022
mkdir -p "$DG_CACHE" "$DG_WORK"
failed=0
check() { "${@:2}" || { failed=1 && echo "FAIL: $1" >&2; }; }
step() { (set -e && "$@") 2>"$in/said"; }
fails() { ! "$@"; }
between() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'; }
stat() { sox "$1" -n "${@:3}" stats 2>&1 | awk -v f="$2" 'index($0, f) == 1 { print $NF }'; }

sox -n -r 44100 -c 1 "$in/hush.wav" synth 2 sine 440 gain -55
check "a silent source is refused" fails step dg_sound "$in/hush.wav" "$in/hush-out.wav"
check "by name, leaving nothing" test -n "$(grep -F "$in/hush.wav" "$in/said")" -a ! -e "$in/hush-out.wav" -a -z "$(find "$DG_WORK" -type f)"

# Stereo, 7.5 s: 1 s of silence, 2 s of a soft hum, 1.5 s of a loud call, the hum, the silence.
sox -n -r 22050 -c 2 "$in/gap.wav" trim 0 1
sox -n -r 22050 -c 2 "$in/hum.wav" synth 2 sine 200 gain -30
sox -n -r 22050 -c 2 "$in/call.wav" synth 1.5 square 600 gain -12
sox "$in/gap.wav" "$in/hum.wav" "$in/call.wav" "$in/hum.wav" "$in/gap.wav" "$in/long.wav"
out=$in/long-out.wav
check "a long clip is made into a sound" step dg_sound "$in/long.wav" "$out"
check "mono 16-bit PCM" test "$(soxi -c "$out")/$(soxi -b "$out")/$(soxi -e "$out")" = "1/16/Signed Integer PCM"
check "at most 3 s" between "$(soxi -D "$out")" 1 3
check "levelled to -18 dBFS RMS" between "$(stat "$out" "RMS lev dB")" -19 -17
check "the loud call kept whole" between "$(stat "$out" "Length s" silence 1 0.01 -24d reverse silence 1 0.01 -24d)" 1.45 1.55
cp "$out" "$in/first.wav"
step dg_sound "$in/long.wav" "$out"
check "the same source gives the same file" cmp -s "$out" "$in/first.wav"

convert -size 10x10 xc:red "jpeg:$in/old.jpg" && cp "$in/old.jpg" "$in/old-copy.jpg"
printf 'not a picture' >"$in/broken.webp"
check "a broken picture source fails" fails step dg_picture "$in/broken.webp" "$in/old.jpg"
check "and leaves the old picture as it was" cmp -s "$in/old.jpg" "$in/old-copy.jpg"

# A tall drawing on a transparent ground, against its top edge as a head would be.
convert -size 600x600 xc:none -fill '#c04020' -draw 'ellipse 300,150 100,150 0,360' "png:$in/top.png"
check "a picture is made" step dg_picture "$in/top.png" "$in/top.jpg"
check "a 300x340 JPEG" test "$(identify -format '%m %wx%h' "$in/top.jpg")" = "JPEG 300x340"
read -r w h x y < <(convert "$in/top.jpg" -fuzz 6% -trim -format '%w %h %X %Y' info: | tr -d '+')
check "the drawing fills the rows below the 55 of the name, clear of the edges" \
    test "$y" -ge 55 -a $((y + h)) -lt 340 -a "$h" -ge 240 -a "$x" -gt 0 -a $((x + w)) -lt 300
(umask 027 && step dg_silence "$in/private.wav")
check "made files take the modes the umask gives" test "$(command stat -c %a "$in/top.jpg" "$in/private.wav" | xargs)" = "644 640"
exit $failed
