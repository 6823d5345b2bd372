#!/usr/bin/env bash
# Zubiko's benchmarks, in one command from anywhere in the repository:
#   bench/run.sh          # everything, about 20 minutes
#   bench/run.sh launch   # the launch and memory rows only, about 3 minutes
# Installs what it needs from Debian when missing, builds the release program and the benchmark
# programs into build-bench/, makes the pictures and sounds when they are missing, then measures
# the program under a virtual X server with SDL's disk audio driver and prints one table: each
# figure's median, minimum and maximum over several runs, next to its target.
#
# The program is measured on an idle machine and again beside two processes that never sleep (one
# at normal priority, one at the lowest), as on a family laptop that is doing something else too.
#
# Environment: BENCH_RUNS (program starts, 5), BENCH_IDLE_RUNS (of which idle for a while, 3),
# BENCH_IDLE_SECONDS (60), BENCH_CYCLES (bar cycles, 1000), BENCH_CYCLE_RUNS (3), BENCH_BUSY_RUNS
# (program starts beside the busy processes, 3), BENCH_STARTS (starts counted on the busy
# machine, 100), BENCH_SILENCE_SECONDS (silence before the latencies after silence, 60).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
only=${1:-all}
case $only in all | launch) ;; *) echo "usage: bench/run.sh [launch]" >&2; exit 2 ;; esac
runs=${BENCH_RUNS:-5}
idle_runs=${BENCH_IDLE_RUNS:-3}
idle_seconds=${BENCH_IDLE_SECONDS:-60}
cycles=${BENCH_CYCLES:-1000}
cycle_runs=${BENCH_CYCLE_RUNS:-3}
busy_runs=${BENCH_BUSY_RUNS:-3}
starts=${BENCH_STARTS:-100}
build="build-bench"

say() { echo "bench: $*" >&2; }

# ---- What it needs ----------------------------------------------------------------------------
# The X server and xdotool are among the tests' tools; the benchmark library, the X Damage headers
# and time are its own.
tools/install-packages.sh --tests libbenchmark-dev libxdamage-dev time procps
# A desktop session has its own bus: without one, Qt and SDL each start dbus-launch to look for
# one at every start of the program and of the floor, which is not what a family's desktop does.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi

say "building the release program and the benchmarks in $build/"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZUBIKO_BUILD_BENCH=ON -DZUBIKO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" >/dev/null
ZUBIKO_BUILD_DIR=$build datagen/generate.sh >&2

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
tmp=$(mktemp -d)
xvfb_pid=
busy_pids=()
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ ${#busy_pids[@]} -gt 0 ] && kill "${busy_pids[@]}" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# A virtual X server of our own, on the first free display from :90.
for n in $(seq 90 150); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

# ---- Helpers ----------------------------------------------------------------------------------
# "median min max" of the numbers in file $1 (one a line).
stats() {
    sort -g "$1" | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "- - -"; exit }
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%s %s %s\n", m, v[1], v[NR] }'
}
# Waits until file $1 is there and not empty.
wait_file() {
    for _ in $(seq 600); do
        [ -s "$1" ] && return 0
        sleep 0.01
    done
    say "no $1"
    exit 1
}
# wait_for TEXT [COUNT] in the trace $log, fail, and click NAME on the window $wid, as the tests have them.
source testsupport/run_program.sh
# Milliseconds between each line ending in "$2" and the next ending in "$3" in trace $1.
spans() {
    awk -v a="$2\$" -v b="$3\$" '$0 ~ a { start = $1 } $0 ~ b && start != "" {
        printf "%.0f\n", ($1 - start) * 1000; start = "" }' "$1"
}
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
cpu_ticks() { awk '{ print $14 + $15 }' "$1"; } # utime + stime of a /proc stat file (no blanks in the name)
# "TID SWITCHES" for each thread of process $1: its voluntary and involuntary context switches.
switches() {
    for task in /proc/"$1"/task/*; do
        awk -v t="${task##*/}" '/ctxt_switches/ { s += $2 } END { print t, s }' "$task/status" 2>/dev/null
    done
}
csv_figure() { # median min max (ms) of benchmark $2 in CSV $1
    for stat in median min max; do
        grep "^\"$2/.*_${stat}\"" "$1" | cut -d, -f3
    done | paste -sd' '
}

# ---- The program, started again and again ------------------------------------------------------
ticks=$(getconf CLK_TCK)
# program_runs LABEL RUNS IDLE_RUNS: starts the program RUNS times; the first IDLE_RUNS of them are
# left idle for a while first. Figures go to $tmp/LABEL.*, one a line.
program_runs() {
    local label=$1 count=$2 idle_count=$3 run idle log time_pid launch_pid pid frame wid k c0 c1 s0 s1
    for f in launch full floor startup rss peak long short idle idle_gui wakeups cycle_cpu; do : >"$tmp/$label.$f"; done
    for run in $(seq "$count"); do
        idle=$([ "$run" -le "$idle_count" ] && echo "$idle_seconds" || echo 0)
        say "$label: program run $run of $count$([ "$idle" -gt 0 ] && echo " (idle $idle s)")"
        # The floor first, measured the same way: a bare Qt window of the same size.
        rm -f "$tmp/floor.$run"
        "$build/bench/zubiko_launch" "$tmp/floor.$run" "$build/bench/zubiko_floor" >/dev/null 2>&1 &
        launch_pid=$!
        wait_file "$tmp/floor.$run"
        read -r pid frame <"$tmp/floor.$run"
        echo "$frame" >>"$tmp/$label.floor"
        kill "$pid"
        wait "$launch_pid" 2>/dev/null || true
        log=$tmp/trace.$label.$run
        rm -f "$tmp/start.$run"
        QT_LOGGING_RULES="zubiko.*.debug=true" QT_MESSAGE_PATTERN="%{time boot} %{message}" \
            SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null \
            /usr/bin/time -v -o "$tmp/time.$run" "$build/bench/zubiko_launch" "$tmp/start.$run" "$build/zubiko" \
            >"$log" 2>&1 &
        time_pid=$!
        wait_file "$tmp/start.$run"
        read -r pid frame <"$tmp/start.$run"
        # The first frame on the screen, less the start-up pause as the trace times it.
        echo "$frame" >>"$tmp/$label.full"
        spans "$log" 'pause 600000 passes at depth 0' 'pause 600000 passes done' >>"$tmp/$label.startup"
        awk -v f="$frame" -v p="$(tail -1 "$tmp/$label.startup")" 'BEGIN { printf "%.1f\n", f - p }' >>"$tmp/$label.launch"
        sleep 3 # the welcome is spoken
        rss_kb "$pid" >>"$tmp/$label.rss"
        if [ "$idle" -gt 0 ]; then
            wait_for 'audio device asleep' # idle from here: nothing plays, nothing is asked
            all0=$(cpu_ticks "/proc/$pid/stat") gui0=$(cpu_ticks "/proc/$pid/task/$pid/stat")
            s0=$(switches "$pid")
            sleep "$idle"
            all1=$(cpu_ticks "/proc/$pid/stat") gui1=$(cpu_ticks "/proc/$pid/task/$pid/stat")
            s1=$(switches "$pid")
            awk -v t=$((all1 - all0)) -v hz="$ticks" -v s="$idle" 'BEGIN { printf "%.2f\n", 100 * t / hz / s }' >>"$tmp/$label.idle"
            awk -v t=$((gui1 - gui0)) -v hz="$ticks" -v s="$idle" 'BEGIN { printf "%.2f\n", 100 * t / hz / s }' >>"$tmp/$label.idle_gui"
            # Wake-ups a second of the threads alive from start to end of the idle time.
            awk -v s="$idle" 'NR == FNR { before[$1] = $2; next } ($1 in before) { w += $2 - before[$1] }
                END { printf "%.2f\n", w / s }' <(echo "$s0") <(echo "$s1") >>"$tmp/$label.wakeups"
        fi
        # Three bar cycles: name and sound after the long pause, then the next animal after two short
        # ones. The CPU of the second and third (the first also says the help sentence) is counted.
        wid=$(xdotool search --sync --onlyvisible --name '^Zubiko$' | head -1)
        for k in 1 2 3; do
            [ "$k" -eq 2 ] && c0=$(cpu_ticks "/proc/$pid/stat")
            click cmd123
            wait_for 'pause 400000 passes done' "$k"
            sleep 0.3
            click cmd123
            wait_for 'pause 30000 passes done' $((2 * k))
            sleep 0.3
        done
        c1=$(cpu_ticks "/proc/$pid/stat")
        awk -v t=$((c1 - c0)) -v hz="$ticks" 'BEGIN { printf "%.3f\n", t / hz / 2 }' >>"$tmp/$label.cycle_cpu"
        spans "$log" 'pause 400000 passes at depth 1' 'pause 400000 passes done' >>"$tmp/$label.long"
        spans "$log" 'pause 30000 passes at depth 1' 'pause 30000 passes done' >>"$tmp/$label.short"
        kill "$pid"
        wait "$time_pid" 2>/dev/null || true
        awk -F': ' '/Maximum resident set size/ { print $2 }' "$tmp/time.$run" >>"$tmp/$label.peak"
    done
}
if [ "$only" = launch ]; then
    idle_runs=0
fi
program_runs idle "$runs" "$idle_runs"

opened=0
if [ "$only" = all ]; then
    # ---- Beside two processes that never sleep ---------------------------------------------------------
    bash -c 'while :; do :; done' &
    busy_pids+=($!)
    nice -n 19 bash -c 'while :; do :; done' &
    busy_pids+=($!)
    program_runs busy "$busy_runs" 0
    # Starts that open the window: Qt's connection to the display is made in the first moments; a start
    # that cannot make it says so in one line and ends.
    for i in $(seq "$starts"); do
        [ $((i % 20)) -eq 1 ] && say "busy: start $i of $starts"
        out=$(SDL_AUDIODRIVER=dummy timeout -s INT 1.5 "$build/zubiko" 2>&1 >/dev/null || true)
        grep -q 'cannot open a window' <<<"$out" || opened=$((opened + 1))
    done
    kill "${busy_pids[@]}" 2>/dev/null
    busy_pids=()

    # ---- In-process figures ---------------------------------------------------------------------------
    say "window: event-processing pass, click to frame"
    "$build/bench/zubiko_bench_window" --benchmark_out="$tmp/window.csv" --benchmark_out_format=csv >&2
    say "audio: sound and speech to the first sample, the animals' names"
    "$build/bench/zubiko_bench_audio" "$tmp/names" --benchmark_out="$tmp/audio.csv" --benchmark_out_format=csv >&2
fi
: >"$tmp/growth" && : >"$tmp/growth_late"
for run in $(seq "$cycle_runs"); do
    say "memory over $cycles bar cycles, run $run of $cycle_runs"
    # "cycles N seconds S rss_start_kb A rss_100_kb B rss_end_kb C"
    read -r _ _ _ _ _ start_kb _ at100_kb _ end_kb < <("$build/bench/zubiko_bench_cycles" "$cycles" 2>/dev/null | grep '^cycles')
    awk -v a="$start_kb" -v b="$end_kb" 'BEGIN { printf "%.2f\n", (b - a) / 1024 }' >>"$tmp/growth"
    awk -v a="$at100_kb" -v b="$end_kb" 'BEGIN { printf "%.2f\n", (b - a) / 1024 }' >>"$tmp/growth_late"
done

# ---- The table ----------------------------------------------------------------------------------
mb() { awk '{ printf "%.1f %.1f %.1f\n", $1 / 1024, $2 / 1024, $3 / 1024 }'; }
fmt() { awk '{ printf "%.1f | %.1f | %.1f", $1, $2, $3 }'; }
fmt3() { awk '{ printf "%.3f | %.3f | %.3f", $1, $2, $3 }'; }
# met TEXT VALUE LIMIT: "yes" when VALUE <= LIMIT.
met() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l) ? "yes" : "NO" }'; }

read -r launch_med _ _ < <(stats "$tmp/idle.launch")
read -r floor_med _ _ < <(stats "$tmp/idle.floor")
launch_limit=$(awk -v f="$floor_med" 'BEGIN { printf "%.1f", 1.25 * f + 20 }')
read -r rss_med _ _ < <(stats "$tmp/idle.rss")
read -r growth_med _ _ < <(stats "$tmp/growth")

echo
echo "Zubiko benchmarks ($(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), $(free -h | awk '/^Mem:/ { print $2 }') memory; load average before: $load_before, after: $(cut -d' ' -f1-3 /proc/loadavg))"
echo
echo "| figure | median | min | max | target | met |"
echo "|---|---|---|---|---|---|"
s3() { awk '{ print $1 / 1000, $2 / 1000, $3 / 1000 }' | fmt3; }
# within LIMIT% of TARGET: "yes" or "NO"
near() { awk -v v="$1" -v t="$2" -v p="$3" 'BEGIN { print (v >= t * (1 - p / 100) && v <= t * (1 + p / 100)) ? "yes" : "NO" }'; }
echo "| launch to the first frame on the screen, less the start-up pause (ms, $runs runs) | $(stats "$tmp/idle.launch" | fmt) | <= 1.25 x floor + 20 = $launch_limit | $(met "$launch_med" "$launch_limit") |"
echo "| floor: a bare Qt window of 1016x736 to its first frame (ms, the same runs) | $(stats "$tmp/idle.floor" | fmt) | - | report |"
echo "| launch overhead over the floor (ratio of the medians) | $(awk -v l="$launch_med" -v f="$floor_med" 'BEGIN { printf "%.2f", l / f }') | | | - | report |"
echo "| launch to the first frame on the screen, pause included (ms) | $(stats "$tmp/idle.full" | fmt) | - | report |"
echo "| start-up pause, 600000 passes (s) | $(stats "$tmp/idle.startup" | s3) | 1.8 | $(near "$(stats "$tmp/idle.startup" | cut -d' ' -f1)" 1800 10) |"
echo "| resident memory after start-up (MB, VmRSS, X11) | $(stats "$tmp/idle.rss" | mb | fmt) | <= 58 | $(met "$(echo "$rss_med" | awk '{ print $1 / 1024 }')" 58) |"
echo "| peak resident memory of a run (MB, /usr/bin/time -v) | $(stats "$tmp/idle.peak" | mb | fmt) | - | report |"
echo "| memory growth over $cycles bar cycles, from the first pause (MB; instant pauses, real speech, sounds, pictures) | $(stats "$tmp/growth" | fmt) | <= 2 | $(met "$growth_med" 2) |"
echo "| memory growth from cycle 100 to cycle $cycles (MB) | $(stats "$tmp/growth_late" | fmt) | - | report |"
[ "$only" = launch ] && exit 0

read -r idle_med _ _ < <(stats "$tmp/idle.idle")
read -r wake_med _ _ < <(stats "$tmp/idle.wakeups")
read -r cycle_med _ _ < <(stats "$tmp/idle.cycle_cpu")
read -r speak_med speak_min speak_max < <(csv_figure "$tmp/audio.csv" speak_call_to_first_sample)
read -r sound_med sound_min sound_max < <(csv_figure "$tmp/audio.csv" sound_call_to_first_sample)
speak_silent=$(grep '^"speak_after_silence_to_first_sample/' "$tmp/audio.csv" | head -1 | cut -d, -f3)
sound_silent=$(grep '^"sound_after_silence_to_first_sample/' "$tmp/audio.csv" | head -1 | cut -d, -f3)
read -r click_med _ _ < <(csv_figure "$tmp/window.csv" click_animal_to_frame)
read -r long_med long_min _ < <(stats "$tmp/idle.long")
read -r busy_long_max < <(stats "$tmp/busy.long" | cut -d' ' -f3)
read -r busy_full_max < <(stats "$tmp/busy.full" | cut -d' ' -f3)

# Each name ends at the latest Speak latency plus its last heard sample; the sound starts at the
# shortest long pause plus the shortest sound latency.
read -r names_ok tight_name tight_margin < <(awk -v l="$long_min" -v sl="$speak_max" -v snd="$sound_min" '
    { margin = l + snd - (sl + $4); ok += (margin > 0)
      if (worst == "" || margin < worst) { worst = margin; name = $1 } }
    END { printf "%d %s %.0f\n", ok, name, worst }' "$tmp/names")
read -r longest_name longest_ms < <(sort -k4 -g "$tmp/names" | tail -1 | awk '{ print $1, $4 }')

echo "| LongPause, 400000 passes (s) | $(stats "$tmp/idle.long" | s3) | 1.2 | $(near "$long_med" 1200 10) |"
echo "| ShortPause, 30000 passes (s) | $(stats "$tmp/idle.short" | s3) | 0.09 | $(near "$(stats "$tmp/idle.short" | cut -d' ' -f1)" 90 10) |"
echo "| beside two busy processes: start-up pause (s, $busy_runs runs) | $(stats "$tmp/busy.startup" | s3) | 1.8 +- 10 % | $(near "$(stats "$tmp/busy.startup" | cut -d' ' -f3)" 1800 10) |"
echo "| beside two busy processes: LongPause (s) | $(stats "$tmp/busy.long" | s3) | 1.2 +- 10 % | $(near "$busy_long_max" 1200 10) |"
echo "| beside two busy processes: ShortPause (s) | $(stats "$tmp/busy.short" | s3) | 0.09 +- 10 % | $(near "$(stats "$tmp/busy.short" | cut -d' ' -f3)" 90 10) |"
echo "| beside two busy processes: launch to the first frame (s) | $(stats "$tmp/busy.full" | s3) | <= 2.2 | $(met "$busy_full_max" 2200) |"
echo "| beside two busy processes: starts that open the window | $opened/$starts | | | $starts/$starts | $([ "$opened" -eq "$starts" ] && echo yes || echo NO) |"
echo "| CPU for one bar cycle, name and sound then the next animal (s) | $(stats "$tmp/idle.cycle_cpu" | fmt3) | <= 0.1 | $(met "$cycle_med" 0.1) |"
echo "| one event-processing pass, idle (us; 3 by design, averaged over many) | $(csv_figure "$tmp/window.csv" doevents_pass_idle | fmt3) | - | report |"
echo "| one idle processEvents() (us) | $(csv_figure "$tmp/window.csv" processevents_idle | fmt3) | - | report |"
echo "| CPU while idle for $idle_seconds s, whole process (%, $idle_runs runs) | $(stats "$tmp/idle.idle" | fmt3) | 0.0 | $(met "$idle_med" 0.049) |"
echo "| CPU while idle, GUI thread only (%) | $(stats "$tmp/idle.idle_gui" | fmt3) | 0.0 | $(met "$(stats "$tmp/idle.idle_gui" | cut -d' ' -f1)" 0.049) |"
echo "| wake-ups a second of the program's threads while idle | $(stats "$tmp/idle.wakeups" | fmt3) | <= 1 | $(met "$wake_med" 1) |"
echo "| Speak call to the first speech sample leaving the mixer (ms) | $(echo "$speak_med $speak_min $speak_max" | fmt) | <= 30 | $(met "$speak_med" 30) |"
echo "| sound call to its first sample leaving the mixer (ms) | $(echo "$sound_med $sound_min $sound_max" | fmt) | <= 20 | $(met "$sound_med" 20) |"
echo "| after ${BENCH_SILENCE_SECONDS:-60} s of silence: speak call to the first sample (ms, one call) | $speak_silent | | | <= 30 | $(met "$speak_silent" 30) |"
echo "| after ${BENCH_SILENCE_SECONDS:-60} s of silence: sound call to the first sample (ms, one call) | $sound_silent | | | <= 20 | $(met "$sound_silent" 20) |"
echo "| click on an animal button to the repainted frame (ms) | $(csv_figure "$tmp/window.csv" click_animal_to_frame | fmt) | <= 16 | $(met "$click_med" 16) |"
echo "| names that end before the sound after LongPause | $names_ok/30 | | | 30/30 | $([ "$names_ok" -eq 30 ] && echo yes || echo NO) |"
echo
echo "Longest name: $longest_name, heard for $longest_ms ms; the closest call is $tight_name, $tight_margin ms before"
printf 'its sound (latest Speak latency %.1f ms, shortest LongPause %s ms, shortest sound latency %.1f ms).\n' \
    "$speak_max" "$long_min" "$sound_min"
echo "Pauses: each pass stands for 3 us of the clock; passes that run ahead wait for it without using"
echo "the processor. Idle: the audio device is closed after 5 s of silence, so its thread stops waking."
echo "Memory over bar cycles: in-process, Form1 over the real platform with instant passes (speech,"
echo "sounds, pictures real; SDL's disk driver without delay); the first cycles fill caches, hence"
echo "the separate growth from cycle 100."
