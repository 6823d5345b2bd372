#!/usr/bin/env bash
# The real program as a child uses it, through a real sound server started here with a null sink
# whose monitor is recorded (parec): the start-up quack, the welcome, the bar's first click with
# the name and its sound in that order; a name after the device has slept, its first 50 ms there;
# then the server killed and started again, and the space bar's next animal and its name heard. Recordings are compared with the sound files and with the
# texts spoken directly by the program's Speech (speak_wav), by heard.py.
#   pulse.sh pulseaudio|pipewire PATH/TO/zubiko PATH/TO/speak_wav WORKING_DIR   (runs itself under a virtual X server)
here=$(dirname "$(readlink -f "$0")")
source "$here/../../testsupport/run_program.sh"
server=$1 zubiko=$2 speak=$3
if [ "$server" = pulseaudio ]; then need pulseaudio; else need pipewire pipewire-pulse wireplumber dbus-daemon; fi
need pactl parec
/usr/bin/python3 -c 'import numpy' 2>/dev/null || { echo "SKIP: python3-numpy is not installed" >&2; exit 77; }
on_x 1280x900 "$0" "$@"
tmp=$(mktemp -d)
# A server of its own, whoever runs the test (root included), reached by its socket alone; for
# PipeWire a session bus of its own too (its session manager needs one).
export XDG_RUNTIME_DIR=$tmp/run HOME=$tmp/home PULSE_SERVER=unix:$tmp/run/pulse/native
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_RUNTIME_DIR/pulse" "$HOME"
log=$tmp/log && touch "$log"
# ZUBIKO_E2E_KEEP=DIR keeps the recordings and the trace there.
trap 'kill $pid $pulse $daemons $recorder $bus 2>/dev/null || true; cp -r "$tmp"/. "${ZUBIKO_E2E_KEEP:-/nonexistent}" 2>/dev/null; rm -rf "$tmp"' EXIT
pid= pulse= daemons= recorder= bus=
more_logs=("$tmp/server.log")
start_server() { # the PulseAudio server: pulseaudio, or pipewire-pulse over PipeWire and its session manager
    if [ "$server" = pulseaudio ]; then
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
            -L "module-native-protocol-unix socket=$XDG_RUNTIME_DIR/pulse/native auth-anonymous=1" \
            -L "module-null-sink sink_name=zubiko rate=48000" >>"$tmp/server.log" 2>&1 &
    else
        if [ -z "$daemons" ]; then
            read -r DBUS_SESSION_BUS_ADDRESS bus < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd ' ')
            export DBUS_SESSION_BUS_ADDRESS
            pipewire >>"$tmp/server.log" 2>&1 &
            daemons=$!
            for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break; sleep 0.1; done
            wireplumber >>"$tmp/server.log" 2>&1 &
            daemons="$daemons $!"
        fi
        pipewire-pulse >>"$tmp/server.log" 2>&1 &
    fi
    pulse=$!
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    [ "$server" = pulseaudio ] || pactl load-module module-null-sink sink_name=zubiko rate=48000 >/dev/null
    pactl set-default-sink zubiko || fail "the $server server did not start"
}
record() { # a new recording, $tmp/$1.raw, of what the sink plays
    [ -z "$recorder" ] || kill "$recorder" 2>/dev/null || true
    parec -d zubiko.monitor --format=s16le --rate=16000 --channels=2 --raw --latency-msec=20 >"$tmp/$1.raw" 2>>"$tmp/server.log" &
    recorder=$!
    wait_until "nothing recorded from the $server server" test -s "$tmp/$1.raw"
}
heard() { /usr/bin/python3 "$here/heard.py" "$tmp/$1.raw" "${@:2}"; }

grow() { # waits until the recording has gone on for $1 seconds more
    local file=$tmp/$2.raw && local until=$(($(stat -c %s "$file") + $1 * 64000))
    wait_until "the recording stopped" eval '[ "$(stat -c %s "$file")" -ge "$until" ]'
}

start_server
record start
cd "$4"
"$speak" rms "$tmp/welcome.wav" ",,, Zubiko.. click the red bar for the animal name and sound " >/dev/null
"$speak" rms "$tmp/duck.wav" "Duck" >/dev/null
QT_LOGGING_RULES="zubiko.*.debug=true" SDL_AUDIODRIVER=pulseaudio "$zubiko" >"$log" 2>&1 &
pid=$!
wid=$(xdotool search --sync --onlyvisible --name '^Zubiko$' | head -1) && xdotool windowfocus --sync "$wid"
wait_for 'audio device asleep' # the welcome has been heard
click cmd123 # the bar: the name, the help, the sound
wait_for 'audio device asleep' 2
record asleep
click lblName # the name, which says itself
grow 1 asleep
kill "$recorder"
kill -9 "$pulse" && wait "$pulse" 2>/dev/null || true
start_server
record restarted
xdotool key space # the next animal, in silence
wait_for 'loadPicture "animals\' 2
xdotool key space # its name and its sound
wait_for 'speak "' 5
animal=$(grep -o 'speak "[^"]*' "$log" | tail -1) && animal=${animal#speak \"}
"$speak" rms "$tmp/next.wav" "$animal" >/dev/null
grow 2 restarted # a long name (Hippopotamus) whole
kill "$recorder"

{ read -r quack_at quack _; read -r welcome_at welcome _; read -r duck_at duck _; read -r sound_at sound _; } \
    < <(heard start sounds/duckonce.wav "$tmp/welcome.wav" "$tmp/duck.wav" sounds/duck.wav)
read -r _ _ woken level < <(heard asleep "$tmp/duck.wav")
read -r _ again _ < <(heard restarted "$tmp/next.wav")
echo "$server: heard at (s, alike): quack $quack_at $quack, welcome $welcome_at $welcome, Duck $duck_at $duck," \
    "its sound $sound_at $sound; Duck after the device slept: first 50 ms $woken alike, level $level;" \
    "after the server restarted, $animal $again alike"
# In order, each after its pause (1.8 s after the quack, 1.2 s after the name), and alike enough
# to be told apart though a busy machine may break them up and the help is spoken over the duck's
# sound; the first 50 ms of the name as loud and alike as spoken directly once the device has woken.
awk -v q="$quack_at" -v w="$welcome_at" -v d="$duck_at" -v s="$sound_at" \
    'BEGIN { exit !(w - q > 1.5 && w - q < 3 && d > w && s - d > 0.9 && s - d < 2) }' ||
    fail "not heard in the order quack, welcome, Duck, its sound, each after its pause"
awk -v a="$quack $welcome $duck" -v s="$sound" -v w="$woken" -v l="$level" -v r="$again" 'BEGIN {
    n = split(a, x, " "); for (i = 1; i <= n; i++) if (x[i] < 0.3) exit 1
    exit !(s > 0.2 && w > 0.9 && l > 0.7 && l < 1.4 && r > 0.8) }' || fail "a sound is missing or not whole"
grep -q 'audio device lost' "$log" || fail "the restarted server was not noticed"
