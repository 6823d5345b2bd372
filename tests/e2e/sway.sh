# Sourced, after testsupport/run_program.sh, by the scripts that run the program under a headless Wayland compositor
# (wayland_kiosk.sh, wayland_screens.sh): copies the program ($1, with its Wayland module) and the
# data (from $2) where another user can read them, since sway and cage refuse root: as root, all
# runs as the user zubiko-e2e (made if missing). `"${session[@]}" COMMAND` runs in that session.
top=$(mktemp -d) && chmod 755 "$top" && mkdir "$top/app" "$top/run" "$top/out"
trap 'kill "${zubiko:-}" "${wev:-}" "${sway:-}" 2>/dev/null || true; wait 2>/dev/null; rm -rf "$top"' EXIT
cp "$1" "$(dirname "$1")/zubiko-wayland.so" "$top/app/"
cp -r "$2/animals" "$2/sounds" "$top/app/" 2>/dev/null && chmod -R a+rX "$top/app" || echo "note: no data" >&2
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    id zubiko-e2e >/dev/null 2>&1 || useradd --system --user-group --no-create-home --shell /usr/sbin/nologin zubiko-e2e
    chown zubiko-e2e: "$top/run" "$top/out"
    as_user=(setpriv --reuid=zubiko-e2e --regid=zubiko-e2e --init-groups)
fi
chmod 700 "$top/run"
session=("${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$top/out" XDG_RUNTIME_DIR="$top/run" LANG=C.UTF-8)
headless=(WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman)
log=$top/out/trace more_logs=("$top/out/sway.log")
# Whether Zubiko (or process $1) still runs: an ended child stays a zombie (state Z) until waited for.
running() { [ -e "/proc/${1:-$zubiko}" ] && ! grep -q '^[0-9]* (.*) Z' "/proc/${1:-$zubiko}/stat"; }

# sway_start [ENV...] <CONFIG: headless sway with these configuration lines and no Xwayland; its
# sockets join the session (give the lines by redirection, not a pipe: it sets variables here).
sway_start() {
    { echo 'xwayland disable'; cat; } >"$top/out/config"
    "${session[@]}" "${headless[@]}" "$@" sway -c "$top/out/config" >"$top/out/sway.log" 2>&1 & sway=$!
    wait_until "sway did not start" compgen -G "$top/run/wayland-*[0-9]"
    wait_until "sway's IPC did not start" compgen -G "$top/run/sway-ipc.*.sock"
    session+=(WAYLAND_DISPLAY="$(basename "$(compgen -G "$top/run/wayland-*[0-9]" | head -1)")"
              SWAYSOCK="$(compgen -G "$top/run/sway-ipc.*.sock" | head -1)")
}
# zubiko_start [ARGS...]: the program on the compositor, traced to $log, until it speaks.
zubiko_start() {
    rm -f "$log"
    (cd "$top/app" && exec "${session[@]}" QT_QPA_PLATFORM=wayland QT_LOGGING_RULES="zubiko.*.debug=true" \
        SDL_AUDIODRIVER=dummy ./zubiko "$@" >"$log" 2>&1) & zubiko=$!
    wait_until "the window did not start" grep -q 'speak "' "$log"
}
