#!/usr/bin/env bash
# Sets Zubiko up on a Debian 12 machine, from a fresh clone: Debian packages, the build in build/,
# and the animals' pictures and sounds. Then:
#   ./setup.sh run    starts the program (the default)
#   ./setup.sh test   runs the test suite
#   ./setup.sh sanitize  runs the window and platform tests and the fuzz corpora once more, built
#                        with AddressSanitizer and UndefinedBehaviorSanitizer (in build-asan/)
#   ./setup.sh fuzz [SECONDS]  builds the fuzz targets of tests/fuzz with clang and libFuzzer
#                        (in build-fuzz/) and runs each for SECONDS (600): what they find is kept
#                        under build-fuzz/crashes/, the new inputs under build-fuzz/corpus/
#   ./setup.sh package   builds the Debian packages zubiko and zubiko-data into dist/
#                        (tools/build-package.sh; the build dependencies come from debian/control)
# Every step that is already done is skipped, so a second run starts at once.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
mode=${1:-run}
case "$mode" in
run | test | sanitize | fuzz) ;;
package) exec tools/build-package.sh dist ;;
*)
    echo "usage: $0 [run|test|sanitize|fuzz [SECONDS]|package]" >&2
    exit 2
    ;;
esac

# The tests' tools are debian/control's Build-Depends marked <!nocheck>. libFuzzer and the
# sanitizers come with clang's runtime; llvm-symbolizer names the lines of a crash.
case "$mode" in
run) tools/install-packages.sh ;;
fuzz) tools/install-packages.sh clang libclang-rt-dev llvm ;;
*) tools/install-packages.sh --tests ;;
esac

if [ "$mode" = sanitize ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZUBIKO_SANITIZE=ON -DZUBIKO_WERROR=ON >/dev/null
    cmake --build build-asan
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir build-asan -L 'window|platform|fuzz' --output-on-failure
    exit
fi

if [ "$mode" = fuzz ]; then
    seconds=${2:-600}
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUBIKO_FUZZ=ON \
        -DZUBIKO_WERROR=ON >/dev/null
    mapfile -t names <tests/fuzz/targets.txt
    cmake --build build-fuzz --target "${names[@]/#/fuzz_}"
    export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
    failed=()
    for name in "${names[@]}"; do
        mkdir -p "build-fuzz/corpus/$name" build-fuzz/crashes build-fuzz/logs
        echo "fuzz: $name for $seconds s" >&2
        # New inputs go to the first folder; the committed corpus is only read.
        build-fuzz/tests/fuzz/"fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="build-fuzz/crashes/$name-" \
            "build-fuzz/corpus/$name" "tests/fuzz/corpus/$name" >"build-fuzz/logs/$name.log" 2>&1 ||
            failed+=("$name")
        grep -E '^(#[0-9]+[[:space:]]+DONE|Done |SUMMARY)' "build-fuzz/logs/$name.log" |
            sed "s/^/    /" >&2 || true
    done
    [ ${#failed[@]} -eq 0 ] || {
        echo "fuzz: found something in: ${failed[*]} (build-fuzz/logs/, build-fuzz/crashes/)" >&2
        exit 1
    }
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
# The package test (several minutes, a fresh Debian root) is CI's, or `ctest -L package`.
ctest --test-dir build --output-on-failure -LE package
