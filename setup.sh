#!/usr/bin/env bash
# Sets Zubiko up on a Debian 12 machine, from a fresh clone: Debian packages, the build in build/,
# and the animals' pictures and sounds. Then:
#   ./setup.sh run    starts the program (the default)
#   ./setup.sh test   runs the test suite
#   ./setup.sh sanitize  runs the window and platform tests once more, built with AddressSanitizer
#                        and UndefinedBehaviorSanitizer (in build-asan/)
# Every step that is already done is skipped, so a second run starts at once.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
mode=${1:-run}
case "$mode" in
run | test | sanitize) ;;
*)
    echo "usage: $0 [run|test|sanitize]" >&2
    exit 2
    ;;
esac

# The tests also run the real program under a virtual X server and through the sound servers of
# a desktop (PulseAudio, PipeWire's pulse server), and validate the desktop files.
test_packages=()
[ "$mode" != run ] && test_packages=(xvfb xauth xdotool openbox x11-utils appstream desktop-file-utils
    pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus-daemon python3-numpy)
tools/install-packages.sh "${test_packages[@]}"

if [ "$mode" = sanitize ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZUBIKO_SANITIZE=ON -DZUBIKO_WERROR=ON >/dev/null
    cmake --build build-asan
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    [ -f tests/lsan.supp ] && export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
    ctest --test-dir build-asan -L 'window|platform' --output-on-failure
    exit
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUBIKO_WERROR=ON >/dev/null
cmake --build build

if [ "$mode" = run ]; then
    # The program starts without its pictures and sounds too, so a failed download only warns.
    ZUBIKO_BUILD_DIR=build datagen/generate.sh ||
        echo "setup: the animals' pictures and sounds could not be made; starting without them" >&2
    exec build/zubiko
fi

ZUBIKO_BUILD_DIR=build datagen/generate.sh
ctest --test-dir build --output-on-failure
