# Sourced, after testsupport/run_program.sh and under an X server, by the scripts that run the program under openbox:
# `start ZUBIKO WORKING_DIR [ARGS...]` starts the window manager (with the configuration in $rc, if
# set) and the program, traced to $log.
need openbox xprop
log=$(mktemp) && trap 'kill "${pid:-}" "${wm:-}" 2>/dev/null || true; rm -f "$log" "${rc:-}"' EXIT
start() {
    openbox ${rc:+--config-file "$rc"} >/dev/null 2>&1 &
    wm=$!
    for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break; sleep 0.1; done
    cd "$2"
    QT_LOGGING_RULES="zubiko.*.debug=true" SDL_AUDIODRIVER=dummy "$1" "${@:3}" >"$log" 2>&1 &
    pid=$!
}
