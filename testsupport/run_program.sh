# Sourced by the scripts that run the real program (tests/e2e/, debian/tests/smoke, bench/run.sh).
# The program's trace is the file $log; a failure prints it, and the files in the array $more_logs.
set -euo pipefail
more_logs=()

fail() {
    echo "FAIL: $*" >&2
    cat "$log" "${more_logs[@]}" >&2 2>/dev/null || true
    exit 1
}

# wait_for TEXT [COUNT]: waits up to 30 s for the trace to hold TEXT at least COUNT (1) times.
wait_for() {
    local n
    for _ in $(seq 300); do
        n=$(grep -cF -- "$1" "$log" 2>/dev/null) || true
        [ "${n:-0}" -ge "${2:-1}" ] && return 0
        sleep 0.1
    done
    fail "no '$1' in the trace"
}

# wait_until FAILURE COMMAND...: waits up to 15 s for COMMAND to succeed, else fails with FAILURE.
wait_until() {
    for _ in $(seq 150); do "${@:2}" >/dev/null 2>&1 && return 0; sleep 0.1; done
    fail "$1"
}

# need TOOL...: the test is skipped (status 77, SKIP_RETURN_CODE in CTest) when a tool is missing.
need() {
    for tool; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit 77; }
    done
}

# on_x WxH[,WxH...] SCRIPT ARGS...: runs SCRIPT again under a virtual X server with screens of those
# sizes, unless it is already there; ends the first run with the second's status.
on_x() {
    need xvfb-run xdotool
    local screens="" size n=0
    for size in ${1//,/ }; do screens+=" -screen $((n++)) ${size}x24"; done
    [ -n "${ZUBIKO_ON_X:-}" ] || ZUBIKO_ON_X=1 exec xvfb-run -a -s "$screens" bash "${@:2}"
}

# place NAME: "X Y", the centre of the control NAME in the window's own, unscaled coordinates, as
# the program traces it once at start-up ("control NAME at X,Y").
place() {
    wait_for "control $1 at "
    local at
    at=$(grep -o "control $1 at [0-9]*,[0-9]*" "$log" | head -1)
    at=${at##* at }
    echo "${at%,*} ${at#*,}"
}

# window_size: "W H", the window's own size, as the program traces it ("window size WxH").
window_size() {
    wait_for 'window size '
    local size
    size=$(grep -o 'window size [0-9]*x[0-9]*' "$log" | head -1)
    size=${size##* }
    echo "${size%x*} ${size#*x}"
}

# click NAME: a click on the control NAME of the unscaled window $wid.
click() {
    local x y
    read -r x y < <(place "$1")
    xdotool mousemove --window "$wid" "$x" "$y" click 1
}
