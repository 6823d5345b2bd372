#!/usr/bin/env bash
# The program in the family's language under openbox: with LANGUAGE=fr the French name shows, the
# recording says the name and the sound waits for its end, espeak-ng's French voice says the sentences
# and the names without a recording; with --language es the parent's own recording wins and a
# broken one is warned about once; with LANGUAGE=xx flite speaks English. (The fallback: tst_language.)
#   language.sh PATH/TO/zubiko SOURCE_DIR   (runs itself under a virtual X server; needs sox)
source "$(dirname "$0")/../../testsupport/run_program.sh"
on_x 1280x1024 "$0" "$@"
need sox
source "$(dirname "$0")/openbox.sh"
export QT_MESSAGE_PATTERN='%{time process} %{message}'
data=$(mktemp -d) && trap 'kill "${pid:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$log" "$data"' EXIT
ln -s "$2/animals" "$2/sounds" "$data/"
mkdir -p "$data/names" "$data/voices/fr" "$data/voices/es" "$data/home/zubiko/voices/es"
printf '# fixture\nDuck=Canard\nGiraffe=Girafe\n' >"$data/names/fr.txt"
printf 'Duck=Pato\nGiraffe=Jirafa\n' >"$data/names/es.txt"
sox -q -n -r 22050 -c 1 "$data/voices/fr/duck.ogg" synth 1.5 sine 440 # longer than the pause before the sound
sox -q -n -r 22050 -c 1 "$data/voices/es/duck.ogg" synth 0.5 sine 440
sox -q -n -r 16000 -c 1 "$data/home/zubiko/voices/es/duck.wav" synth 0.4 sine 660
echo 'not a sound' >"$data/home/zubiko/voices/es/giraffe.ogg"
export XDG_DATA_HOME="$data/home"

# The window is not scaled on this screen: run_program.sh's click finds the controls by the trace.
shown() { wid=$(xdotool search --sync --onlyvisible --name '^Zubiko$' | head -1); }
# The process time (s) of the first trace line holding $1.
at() { grep -F -m1 "$1" "$log" | awk '{print $1}'; }
stop() { kill "$pid" "$wm"; wait "$pid" "$wm" 2>/dev/null || true; }

LANGUAGE=fr start "$1" "$data" && shown
wait_for 'name shown "Canard"'
wait_for 'speak ",,, Zubiko.. clique sur la barre rouge'
sleep 6 # the welcome said
click cmd123
wait_for "speakName \"Canard\" -> $data/voices/fr/duck.ogg (1.50 s)"
wait_for 'playSound "sounds\duck.wav"'
awk -v name="$(at 'speakName "Canard"')" -v sound="$(at 'playSound "sounds\duck.wav"')" \
    'BEGIN { exit !(sound - name > 1.5) }' || fail "the sound started before the name ended"
click Giraffe && wait_for 'name shown "Girafe"'
click lblName && wait_for 'speak "Girafe" -> espeak-ng fr'
stop

start "$1" "$data" --language es && shown
wait_for 'name shown "Pato"'
click lblName && wait_for "speakName \"Pato\" -> $data/home/zubiko/voices/es/duck.wav"
click Giraffe && wait_for 'name shown "Jirafa"'
click lblName && wait_for 'speak "Jirafa" -> espeak-ng es'
sleep 1 # not a double click
click lblName
for _ in $(seq 50); do [ "$(grep -c 'speak "Jirafa"' "$log")" = 2 ] && break; sleep 0.1; done
[ "$(grep -c 'giraffe.ogg' "$log")" = 1 ] || fail "the broken recording was not warned about exactly once"
stop
LANGUAGE=xx start "$1" "$data" && wait_for 'speak ",,, Zubiko.. click the red bar for the animal name and sound "'
grep -q 'espeak-ng' "$log" && fail "espeak-ng spoke in English"
echo "French: the recording, then the sound; espeak-ng fr for the rest; Spanish: the parent's recording; xx: flite"
