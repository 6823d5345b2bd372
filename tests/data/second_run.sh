#!/bin/bash
# With animals/, sounds/, names/ and voices/ made, the generator run again says so and changes and downloads nothing.
#   second_run.sh SOURCE_DIR
set -uo pipefail
root=$1
snapshot() { (cd "$root" && find animals sounds names voices .cache/datagen -type f -printf '%p %s %T@\n' 2>/dev/null | sort); }
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -f "$root/animals/CREDITS.txt" ] && [ -f "$root/sounds/CREDITS.txt" ] && [ -f "$root/voices/CREDITS.txt" ] || fail "run datagen/generate.sh first"
before=$(snapshot)
said=$("$root/datagen/generate.sh" 2>&1) || fail "the second run failed: $said"
[[ $said == *"up to date"* ]] || fail "the second run did not say it had nothing to do: $said"
[ "$before" = "$(snapshot)" ] || fail "the second run wrote, removed or downloaded files"
echo "second run: nothing to do, nothing changed"
