#!/usr/bin/env bash
# How well a listener that has never heard Zubiko understands its voices, in one command:
#   bench/intelligibility.sh
# Speaks the thirty animal names and the program's sentences with each of flite's voices through
# the program's own Speech (testsupport/speak_wav.cpp, built into build-bench/), and with espeak-ng's
# formant voice the program spoke with before (en+f2 at 140 words a minute, pitch 58, from
# espeak-ng's command-line tool, given the texts as the program prepared them for it). The
# listener is Debian's pocketsphinx with its full US English model (no word list): each clip at
# 16 kHz mono with 0.3 s of silence around it, at three peak levels (-30, -20, -10 dBFS; the score
# moves with level). A name counts as recognised when the recognised text holds it
# (case-insensitive; "hippo" is not Hippopotamus); the sentences are scored by word error rate
# against their words without punctuation. Each clip is heard on its own (-cmn batch: the cepstral
# mean of the clip itself, not one carried over from the clips before). Prints the tables (markdown).
#
# Environment: INTELLIGIBILITY_LEVELS (peak levels in dBFS, "-30 -20 -10").
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
levels=${INTELLIGIBILITY_LEVELS:-"-30 -20 -10"}
build="build-bench"
model=/usr/share/pocketsphinx/model/en-us

say() { echo "intelligibility: $*" >&2; }

tools/install-packages.sh libbenchmark-dev pocketsphinx pocketsphinx-en-us sox espeak-ng
say "building zubiko_speak_wav in $build/"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZUBIKO_BUILD_BENCH=ON -DZUBIKO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target zubiko_speak_wav >/dev/null
speak_wav=$build/testsupport/zubiko_speak_wav

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

names=(Bear Bird Cat Chicken Cow Dog Duck Elephant Fish Giraffe Goat Goose Gorilla Hippopotamus Horse Lamb Lion
    Monkey Moose Owl Parrot Pig Rabbit Rhinoceros Rooster Snake Tiger Turkey Turtle Zebra)
help=",,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like."
sentences=(",,, Zubiko.. click the red bar for the animal name and sound " "$help" "all selected"
    "fish make no sound" "Giraffe's make no sound")
voices=(espeak slt rms)

# The words a sentence holds, lower case, without punctuation.
words() { tr '[:upper:]' '[:lower:]' <<<"$1" | sed -E "s/[^a-z' ]+/ /g; s/ +/ /g; s/^ //; s/ $//"; }
# What the program gave espeak-ng: runs of commas and blanks in front dropped, runs inside made one.
espeak_text() { sed -E 's/^[[:space:],]+//; s/,([[:space:]]*,)+/,/g; s/[[:space:]]+$//' <<<"$1"; }

# clip VOICE NAME TEXT...: $tmp/wav/VOICE-NAME.wav, and the speech figures in $tmp/wav/VOICE-NAME.txt.
mkdir -p "$tmp/wav"
clip() {
    local voice=$1 name=$2
    shift 2
    if [ "$voice" = espeak ]; then
        local text=""
        for t in "$@"; do text="$text $(espeak_text "$t")"; done
        espeak-ng -v en+f2 -s 140 -p 58 -w "$tmp/wav/$voice-$name.wav" "$text"
        : >"$tmp/wav/$voice-$name.txt"
    else
        "$speak_wav" "$voice" "$tmp/wav/$voice-$name.wav" "$@" >"$tmp/wav/$voice-$name.txt"
    fi
}

say "speaking the names and sentences"
for voice in "${voices[@]}"; do
    for i in "${!names[@]}"; do clip "$voice" "name$i" "${names[$i]}"; done
    for i in "${!sentences[@]}"; do clip "$voice" "sentence$i" "${sentences[$i]}"; done
done
for voice in slt rms; do
    # A name and then the help sentence, as the bar queues them: with its commas and without them.
    clip "$voice" after_commas Duck "$help"
    clip "$voice" after_plain Duck "$(sed -E 's/^,+//' <<<"$help")"
done

say "listening (pocketsphinx) at peak levels $levels dBFS"
mkdir -p "$tmp/raw"
: >"$tmp/ctl"
for wav in "$tmp"/wav/*.wav; do
    base=$(basename "$wav" .wav)
    for level in $levels; do
        sox "$wav" -t raw -e signed-integer -b 16 -c 1 -r 16000 "$tmp/raw/$base@$level.raw" norm "$level" pad 0.3 0.3
        echo "$base@$level" >>"$tmp/ctl"
    done
done
pocketsphinx_batch -adcin yes -adchdr 0 -cmn batch -cepdir "$tmp/raw" -cepext .raw -ctl "$tmp/ctl" -hyp "$tmp/hyp" \
    -hmm "$model/en-us" -lm "$model/en-us.lm.bin" -dict "$model/cmudict-en-us.dict" -logfn /dev/null
# What was heard in clip $1 ("VOICE-NAME@LEVEL").
heard() { grep " ($1 " "$tmp/hyp" | sed -E 's/ \([^()]*\)$//' || true; }

# Word errors (substitutions, deletions, insertions) of hypothesis $2 against reference $1, then
# the reference's length: "errors words".
errors() {
    awk -v r="$1" -v h="$2" 'BEGIN {
        n = split(r, a, " "); m = split(h, b, " ")
        for (i = 0; i <= n; i++) d[i, 0] = i
        for (j = 0; j <= m; j++) d[0, j] = j
        for (i = 1; i <= n; i++) for (j = 1; j <= m; j++) {
            c = d[i - 1, j - 1] + (a[i] != b[j]); x = d[i - 1, j] + 1; y = d[i, j - 1] + 1
            d[i, j] = (c < x ? (c < y ? c : y) : (x < y ? x : y)) }
        print d[n, m], n }'
}
# Word error rate in % of voice $1's sentences at level $2, over all of them.
wer() {
    local voice=$1 level=$2 sum=0 total=0 e n
    for i in "${!sentences[@]}"; do
        read -r e n < <(errors "$(words "${sentences[$i]}")" "$(heard "$voice-sentence$i@$level")")
        sum=$((sum + e)) total=$((total + n))
    done
    awk -v s="$sum" -v t="$total" 'BEGIN { printf "%.0f", 100 * s / t }'
}
field() { awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) { print $(i + 1); exit } }' "$1"; }
# Field $3 of text $2's line in figures file $1.
text_field() { awk -v t="$2" -v k="$3" '$1 == "text" && $2 == t { for (i = 3; i < NF; i++) if ($i == k) print $(i + 1) }' "$1"; }

echo
echo "Intelligibility of Zubiko's voices (pocketsphinx $(dpkg-query -W -f='${Version}' pocketsphinx), full US English model, no word list)"
echo
echo "| voice | names recognised of 30 at $(sed 's/ / \/ /g' <<<"$levels") dBFS | mean | word errors on the 5 sentences at the same levels | \"Hippopotamus\" (a fresh process): first heard sample after speak / heard until | help sentence: first heard sample after speak |"
echo "|---|---|---|---|---|---|"
for voice in "${voices[@]}"; do
    counts=() sum=0 wers=()
    for level in $levels; do
        count=0
        for i in "${!names[@]}"; do
            heard "$voice-name$i@$level" | grep -qi -- "${names[$i]}" && count=$((count + 1))
        done
        counts+=("$count") sum=$((sum + count))
        wers+=("$(wer "$voice" "$level") %")
    done
    mean=$(awk -v s="$sum" -v n="${#counts[@]}" 'BEGIN { printf "%.1f", s / n }')
    if [ "$voice" = espeak ]; then
        label="espeak-ng en+f2 (the program's voice before)" timing="- (command-line tool) | -"
    else
        label="flite cmu_us_$voice"
        hippo=$tmp/wav/$voice-name13.txt
        timing="$(field "$hippo" first_audible_ms) ms / $(field "$hippo" audible_end_ms) ms | $(field "$tmp/wav/$voice-sentence1.txt" first_audible_ms) ms"
    fi
    echo "| $label | $(IFS=/; sed 's/\// \/ /g' <<<"${counts[*]}") | $mean | $(IFS=/; sed 's/\// \/ /g' <<<"${wers[*]}") | $timing |"
done

echo
echo "\"Duck\" and then the help sentence, as the bar queues them: the silence between the two and the word errors"
echo "of the pair (at the same levels), with the help sentence's 22 commas as written and with them dropped."
echo
echo "| voice | commas as written: silence / word errors | commas dropped: silence / word errors |"
echo "|---|---|---|"
pair="duck $(words "$help")"
for voice in slt rms; do
    row="| flite cmu_us_$voice"
    for variant in after_commas after_plain; do
        figures=$tmp/wav/$voice-$variant.txt
        gap=$(($(text_field "$figures" 2 audible_start_ms) - $(text_field "$figures" 1 audible_end_ms)))
        rates=()
        for level in $levels; do
            read -r e n < <(errors "$pair" "$(heard "$voice-$variant@$level")")
            rates+=("$(awk -v e="$e" -v n="$n" 'BEGIN { printf "%.0f %%", 100 * e / n }')")
        done
        row="$row | $gap ms / $(IFS=/; sed 's/\// \/ /g' <<<"${rates[*]}")"
    done
    echo "$row |"
done
