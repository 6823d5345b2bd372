#!/usr/bin/env bash
# The Debian packages as a family gets them: built from this tree (tools/build-package.sh) and
# checked by lintian; their data compared with the ones made from downloaded packages; then
# installed with apt, and nothing else, into a minimal Debian 12 root made by mmdebstrap from
# this machine's own apt sources, where the installed files are validated and debian/tests/smoke
# runs the program; finally purged, which must leave none of their files behind.
#   clean_root.sh SOURCE_DIR
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
app=usr/share/applications/org.example.Zubiko

if [ "${MMDEBSTRAP_HOOK:-}" = customize ]; then
    # Run by mmdebstrap with the root's folder, which is set up for chroot.
    root=$1
    in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive "$@"; }
    debs=("$ZUBIKO_DEBS"/zubiko_*.deb "$ZUBIKO_DEBS"/zubiko-data_*.deb)
    cp "${debs[@]}" "$ZUBIKO_SOURCE/debian/tests/smoke" "$ZUBIKO_SOURCE/testsupport/run_program.sh" "$root/tmp/"
    in_root apt-get install -y -q --no-install-recommends "${debs[@]/#*\//\/tmp\/}"
    in_root dpkg -L zubiko zubiko-data | sort -u >"$ZUBIKO_SCRATCH/files"
    desktop-file-validate "$root/$app.desktop" "$root/$app.Kiosk.desktop" || fail "desktop-file-validate"
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.Zubiko.metainfo.xml" || fail "appstreamcli validate"
    # With nothing but the packages' own Depends: the pictures read and a voice set up, no warning.
    in_root env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/tmp/audio.raw \
        QT_LOGGING_RULES="zubiko.*.debug=true" timeout 8 zubiko >"$ZUBIKO_SCRATCH/offscreen" 2>&1 || true
    grep -q 'speak ",,, Zubiko' "$ZUBIKO_SCRATCH/offscreen" && ! grep 'Zubiko: ' "$ZUBIKO_SCRATCH/offscreen" ||
        fail "the program did not start cleanly with its Depends alone: $(cat "$ZUBIKO_SCRATCH/offscreen")"
    # The X server and xdotool come after the program, for the smoke test only.
    in_root apt-get install -y -q --no-install-recommends xvfb xauth xdotool
    in_root env -u DISPLAY HOME=/root /tmp/smoke || fail "the smoke test in the fresh root"
    in_root apt-get purge -y -q zubiko zubiko-data
    left=$(while read -r path; do [ ! -e "$root$path" ] || [ -d "$root$path" ] || echo "$path"; done <"$ZUBIKO_SCRATCH/files")
    [ -z "$left" ] || fail "left behind after purge: $left"
    [ ! -e "$root/usr/share/zubiko" ] || fail "the data folder is still there after purge"
    echo "clean root: installed, validated, ran and purged"
    exit 0
fi

source=$(realpath "$1")
[ -f "$source/animals/CREDITS.txt" ] && [ -f "$source/sounds/CREDITS.txt" ] && [ -f "$source/voices/CREDITS.txt" ] ||
    fail "run datagen/generate.sh first"
scratch=$(mktemp -d) && trap 'rm -rf "$scratch"' EXIT
"$source/tools/build-package.sh" "$scratch/dist" || fail "the package build"

lintian --display-info "$scratch"/dist/*.changes | tee "$scratch/lintian"
! grep -q '^[EW]:' "$scratch/lintian" || fail "lintian reports errors or warnings"

# Made during the package build from the installed packages, byte for byte as from downloaded ones.
dpkg-deb -x "$scratch"/dist/zubiko-data_*_all.deb "$scratch/data"
for part in animals sounds names voices; do
    diff -r "$source/$part" "$scratch/data/usr/share/zubiko/$part" ||
        fail "the packaged data differ from $part/ made by datagen/generate.sh"
done

# Debian's own sources of this machine (Debian 12 keeps them in debian.sources), no others.
sources=$(cat /etc/apt/sources.list.d/debian.sources 2>/dev/null || grep '^deb ' /etc/apt/sources.list 2>/dev/null || true)
[ -n "$sources" ] || fail "this machine has no Debian apt sources to make the root from"
ZUBIKO_DEBS=$scratch/dist ZUBIKO_SOURCE=$source ZUBIKO_SCRATCH=$scratch \
    mmdebstrap --variant=minbase --customize-hook="$(readlink -f "$0")" bookworm "$scratch/root" - <<<"$sources" ||
    fail "the clean-root install and run"
