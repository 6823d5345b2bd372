#!/bin/bash
# The generator's single steps on small inputs made here: what it does with a silent clip, a
# long clip, a broken picture, a picture source drawn against the top edge and a package that
# cannot be downloaded. Needs no downloaded package and no generated data.
#
#   generator_steps_test.sh SOURCE_DIR
set -uo pipefail

source_dir=${1:?usage: generator_steps_test.sh SOURCE_DIR}
# shellcheck source=../../datagen/lib.sh
source "$source_dir/datagen/lib.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export DG_CACHE=$scratch/cache DG_WORK=$scratch/work
mkdir -p "$DG_CACHE" "$DG_WORK" "$scratch/in" "$scratch/out"

passed=0 failed=0
check()
{
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what" >&2
    fi
}

# Runs a generator step in a subshell (it ends with exit on failure), keeping its messages.
step()
{
    (set -e; "$@") 2>"$scratch/messages"
}
fails() { ! "$@"; }
said() { grep -qF -- "$1" "$scratch/messages"; }
no_temp_left() { [[ -z $(find "$DG_WORK" -type f) ]]; }
stat_of() { sox "$1" -n stats 2>&1 | awk -v f="$2" 'index($0, f) == 1 { print $NF }'; }
between() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'; }

# --- A silent source is refused and leaves nothing behind ---------------------------------
sox -n -r 44100 -c 1 "$scratch/in/hush.wav" synth 2 sine 440 gain -55
check "a clip peaking at -55 dBFS is refused" fails step dg_sound "$scratch/in/hush.wav" "$scratch/out/hush.wav"
check "the refusal names the source and says it is silent" said "$scratch/in/hush.wav is silent"
check "no output file for a silent source" test ! -e "$scratch/out/hush.wav"
check "no temporary file left after the refusal" no_temp_left

sox -D -n -r 44100 -c 1 -b 16 "$scratch/in/zeros.wav" trim 0 1
check "pure digital silence is refused" fails step dg_sound "$scratch/in/zeros.wav" "$scratch/out/zeros.wav"
check "no output file for digital silence" test ! -e "$scratch/out/zeros.wav"

# --- A long, quiet, stereo clip with silence around it -------------------------------------
# 1 s of silence, 2 s of a soft hum, 1.5 s of a loud call, 2 s of hum again, 1 s of silence.
sox -n -r 22050 -c 2 "$scratch/in/gap.wav" trim 0 1
sox -n -r 22050 -c 2 "$scratch/in/hum.wav" synth 2 sine 200 gain -30
sox -n -r 22050 -c 2 "$scratch/in/call.wav" synth 1.5 square 600 gain -12
sox "$scratch/in/gap.wav" "$scratch/in/hum.wav" "$scratch/in/call.wav" "$scratch/in/hum.wav" "$scratch/in/gap.wav" "$scratch/in/long.wav"
check "a long clip is made into a sound" step dg_sound "$scratch/in/long.wav" "$scratch/out/long.wav"
long=$scratch/out/long.wav
check "the sound is mono" test "$(soxi -c "$long" 2>/dev/null)" = 1
check "the sound is 16-bit PCM" test "$(soxi -b "$long" 2>/dev/null)/$(soxi -e "$long" 2>/dev/null)" = "16/Signed Integer PCM"
check "the sound keeps at most $DG_MAX_SECONDS s" between "$(soxi -D "$long")" 1 "$DG_MAX_SECONDS"
check "the sound is at the target RMS" between "$(stat_of "$long" "RMS lev dB")" \
    "$((DG_TARGET_RMS_DB - DG_RMS_TOLERANCE_DB))" "$((DG_TARGET_RMS_DB + DG_RMS_TOLERANCE_DB))"
check "the loud call is kept whole" between "$(sox "$long" -n silence 1 0.01 -24d reverse silence 1 0.01 -24d reverse stats 2>&1 | awk '/^Length s/ { print $3 }')" 1.45 1.55
check "no silence left at the start" between "$(sox "$long" -n trim 0 0.02 stats 2>&1 | awk '/^Pk lev dB/ { print $4 }')" -60 0
check "no temporary file left after a sound" no_temp_left

# The same source and the same steps give the very same file.
cp "$long" "$scratch/long-first.wav"
step dg_sound "$scratch/in/long.wav" "$scratch/out/long.wav"
check "making a sound twice gives identical files" cmp -s "$long" "$scratch/long-first.wav"

# A quiet, peaky clip has to be made louder: the limiter keeps it below full scale.
sox -n -r 44100 -c 1 "$scratch/in/click.wav" synth 0.02 sine 1000 gain -10
sox -n -r 44100 -c 1 "$scratch/in/soft.wav" synth 1 sine 300 gain -30
sox -m "$scratch/in/click.wav" "$scratch/in/soft.wav" "$scratch/in/peaky.wav"
check "a peaky clip is made into a sound" step dg_sound "$scratch/in/peaky.wav" "$scratch/out/peaky.wav"
check "its peaks stay below full scale" between "$(stat_of "$scratch/out/peaky.wav" "Pk lev dB")" -40 -0.01

# --- A source that does not decode ----------------------------------------------------------
printf 'not a sound' >"$scratch/in/broken.ogg"
check "a broken sound source fails" fails step dg_sound "$scratch/in/broken.ogg" "$scratch/out/broken.wav"
check "the failure names the broken source" said "$scratch/in/broken.ogg"

# --- Pictures ---------------------------------------------------------------------------------
# An old picture in place must survive a failed remake untouched.
convert -size 10x10 xc:red "jpeg:$scratch/out/old.jpg"
cp "$scratch/out/old.jpg" "$scratch/old-copy.jpg"
printf 'not a picture' >"$scratch/in/broken.webp"
check "a broken picture source fails" fails step dg_picture "$scratch/in/broken.webp" "$scratch/out/old.jpg"
check "the failure names the picture" said "$scratch/out/old.jpg"
check "the old picture is left as it was" cmp -s "$scratch/out/old.jpg" "$scratch/old-copy.jpg"
check "no temporary file left after a failed picture" no_temp_left

# A transparent source with the drawing pressed against its top edge, like a head would be.
convert -size 600x600 xc:none -fill '#c04020' -draw 'ellipse 300,60 200,60 0,360' "png:$scratch/in/top.png"
check "a picture is made" step dg_picture "$scratch/in/top.png" "$scratch/out/top.jpg"
pic=$scratch/out/top.jpg
check "the picture has the common size" test "$(identify -format '%wx%h' "$pic")" = "${DG_PICTURE_WIDTH}x${DG_PICTURE_HEIGHT}"
check "the picture is a JPEG" test "$(identify -format '%m' "$pic")" = JPEG
check "the band rows are white" test "$(convert "$pic" -crop "${DG_PICTURE_WIDTH}x${DG_PICTURE_BAND}+0+0" -format '%[fx:minima.r>0.96 && minima.g>0.96 && minima.b>0.96]' info:)" = 1
drawn=$(convert "$pic" -fuzz 6% -trim -format '%w %h %X %Y' info: | tr -d '+')
read -r dw dh dx dy <<<"$drawn"
check "the drawing starts below the band" test "$dy" -ge "$DG_PICTURE_BAND"
check "the drawing ends above the bottom edge" test $((dy + dh)) -lt "$DG_PICTURE_HEIGHT"
check "the drawing keeps clear of the side edges" test "$dx" -gt 0 -a $((dx + dw)) -lt "$DG_PICTURE_WIDTH"
check "the drawing is scaled up to fill the width" test "$dw" -ge $((DG_PICTURE_WIDTH * 3 / 4))

# --- A package that cannot be downloaded -----------------------------------------------------
check "a failed download fails" fails step dg_deb zubiko-no-such-package
check "the failure names the package" said "zubiko-no-such-package"
check "nothing is left in the package cache" test -z "$(find "$DG_CACHE" -name '*.deb')"

# --- The whole generator on a bad option -----------------------------------------------------
run_with_option() { ! "$source_dir/datagen/generate.sh" "$1" 2>"$scratch/messages"; }
check "an unknown option is refused" run_with_option --no-such-option
check "the refusal names the option" said "--no-such-option"

echo "generator steps: $passed passed, $failed failed"
((failed == 0))
