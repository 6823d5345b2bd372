#!/bin/bash
# The recordings made by datagen/generate.sh: each an Ogg Vorbis stream that decodes whole, copied
# from the right stamp and credited; prints how many each language has.
#   voices.sh SOURCE_DIR
# The program's own decoder reads WAV only for now: until it reads Ogg Vorbis, sox decodes here.
set -uo pipefail
root=$1 failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
sox -h 2>/dev/null | grep -qw vorbis || { echo "skipped: sox cannot read Ogg Vorbis (libsox-fmt-base)"; exit 77; }
[ -f "$root/voices/CREDITS.txt" ] || { echo "FAIL: run datagen/generate.sh first" >&2; exit 1; }

for lang in be bg ca da el es fr nl ro ru; do
    count=$(find "$root/voices/$lang" -name '*.ogg' 2>/dev/null | wc -l)
    echo "$lang: recordings for $count of the 30 animals"
    [ "$count" -ge 15 ] || fail "$lang has $count recordings"
done
for file in "$root"/voices/*/*.ogg; do
    name=${file#"$root"/voices/}
    # The first page of an Ogg stream, whose first packet is Vorbis's identification header.
    [ "$(head -c 4 "$file")" = OggS ] && [ "$(head -c 35 "$file" | tail -c 6)" = vorbis ] ||
        fail "$name is no Ogg Vorbis stream"
    seconds=$(sox "$file" -n stat 2>&1 | awk '/^Length/ { print $3 }')
    awk -v s="${seconds:-0}" 'BEGIN { exit !(s > 0.2 && s < 6) }' || fail "$name does not decode to a spoken name (${seconds:-no} s)"
    grep -q "^voices/$name | tuxpaint-stamps-default [^|]* | usr/share/tuxpaint/stamps/animals/[^|]*_desc_[a-z_]*\.ogg | GPL-2+ | \"" \
        "$root/voices/CREDITS.txt" || fail "$name has no credit line"
done

# Byte for byte from the stamp that says the name (from the download's cache or the installed package).
for row in fr/duck:birds/duck fr/chicken:birds/hen es/fish:fish/clownfish ru/hippopotamus:mammals/hippopotamus; do
    lang=${row%%/*} source=usr/share/tuxpaint/stamps/animals/${row#*:}_desc_$lang.ogg
    for dir in "$root/.cache/datagen/src/tuxpaint-stamps-default" ""; do [ -f "$dir/$source" ] && break; done
    cmp -s "$root/voices/${row%%:*}.ogg" "$dir/$source" || fail "voices/${row%%:*}.ogg is not $source"
done
# Names of our own (Bulgarian has no GCompris word list) are credited under the program's licence.
grep -q '^names/bg.txt | [^|]*names of our own (the Zubiko developers) | GPL-2+ and GPL-3+ |' "$root/voices/CREDITS.txt" ||
    fail "names/bg.txt is not credited with our own names under GPL-3+"
[ ! -e "$root/voices/fr/cat.ogg" ] || fail "a recording that says another word (a white kitten) stands in for the cat"
exit $failed
