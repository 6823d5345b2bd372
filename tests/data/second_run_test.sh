#!/bin/bash
# With animals/ and sounds/ complete, running the generator again touches no file, downloads
# nothing and is done within a second.
#
#   second_run_test.sh SOURCE_DIR
set -uo pipefail

root=${1:?usage: second_run_test.sh SOURCE_DIR}
for credits in animals/CREDITS.txt sounds/CREDITS.txt; do
    if [[ ! -f $root/$credits ]]; then
        echo "FAIL: $root/$credits is missing: run datagen/generate.sh first" >&2
        echo "second run: 0 passed, 1 failed"
        exit 1
    fi
done

snapshot()
{
    (cd "$root" && find animals sounds .cache/datagen/debs -type f -printf '%p %s %T@\n' 2>/dev/null | sort)
}

passed=0 failed=0
check()
{
    local what=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what" >&2; fi
}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
before=$(snapshot)
start=$(date +%s%N)
"$root/datagen/generate.sh" 2>"$log"
status=$?
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
after=$(snapshot)

check "the second run succeeds" test "$status" -eq 0
check "the second run says there is nothing to do" grep -q "up to date" "$log"
check "no file was written, removed or downloaded" test "$before" = "$after"
check "the second run takes under a second (took $elapsed_ms ms)" test "$elapsed_ms" -lt 1000

echo "second run took $elapsed_ms ms"
echo "second run: $passed passed, $failed failed"
((failed == 0))
