#!/usr/bin/env bash
# Installs the build into scratch folders and checks what lands there, then starts the installed
# program from other folders to see where it takes its pictures from.
#   layout.sh CMAKE BUILD_DIR SOURCE_DIR BINDIR DATADIR   (the last two relative to the prefix)
set -euo pipefail
cmake=$1 build=$2 source=$3 bin=$4 data=$5 id=org.example.Zubiko
[[ $bin != /* && $data != /* ]] || { echo "skipped: this build installs into absolute folders"; exit 77; }
scratch=$(mktemp -d) && trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
listing() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }
expected() {
    printf '%s\n' "$bin/zubiko" "$data/applications/"{$id,$id.Kiosk}.desktop "$data/metainfo/$id.metainfo.xml" \
        "$data/icons/hicolor/scalable/apps/$id.svg" "$data/icons/hicolor/"{16x16,32x32,48x48,64x64,128x128,256x256}"/apps/$id.png"
    for part in animals sounds; do
        [ ! -f "$source/$part/CREDITS.txt" ] || (cd "$source" && find "$part" -type f | sed "s|^|$data/zubiko/|")
    done
}
expected | sort >"$scratch/expected"

prefix=$scratch/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$scratch/log" 2>&1 || { cat "$scratch/log" >&2; fail "cmake --install"; }
diff -u "$scratch/expected" <(listing "$prefix") || fail "the installed files differ (- expected, + installed)"
! readelf -d "$prefix/$bin/zubiko" | grep -q 'RPATH\|RUNPATH' || fail "the installed program keeps a run path"
grep -q '<svg' "$prefix/$data/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"
for size in 16 32 48 64 128 256; do
    png=$prefix/$data/icons/hicolor/${size}x$size/apps/$id.png
    [ "$(od -An -tx1 -N24 "$png" | tr -d ' \n')" = "89504e470d0a1a0a0000000d49484452$(printf %08x%08x "$size" "$size")" ] ||
        fail "$png is no ${size}x$size PNG"
done
desktop=$prefix/$data/applications/$id.desktop metainfo=$prefix/$data/metainfo/$id.metainfo.xml
grep -qx "Exec=zubiko" "$desktop" && grep -qx "Icon=$id" "$desktop" || fail "the entry does not start zubiko with its icon"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo does not launch $id.desktop"
kiosk=$prefix/$data/applications/$id.Kiosk.desktop
grep -qx "Exec=zubiko --kiosk" "$kiosk" && grep -qx "Icon=$id" "$kiosk" || fail "the locked entry does not start zubiko --kiosk"
! command -v desktop-file-validate >/dev/null || desktop-file-validate "$desktop" "$kiosk" || fail "desktop-file-validate"
! command -v appstreamcli >/dev/null || appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"

# Staged, as packages are built: the same files, and nothing outside the prefix.
DESTDIR=$scratch/stage "$cmake" --install "$build" --prefix /usr >"$scratch/log" 2>&1 || fail "cmake --install with DESTDIR"
[ "$(ls "$scratch/stage")" = usr ] && diff -u "$scratch/expected" <(listing "$scratch/stage/usr") || fail "the staged install differs"

# Data not made yet is left out, with a message.
"$cmake" -Dzubiko_data_source="$scratch/empty" -Dzubiko_data_dest=share/zubiko -DCMAKE_INSTALL_PREFIX="$scratch/bare" \
    -P "$source/datagen/install_data.cmake" >"$scratch/log" 2>&1 || fail "installing without data"
[ ! -e "$scratch/bare" ] && grep -q "are not installed" "$scratch/log" || fail "no message, or data installed from nothing"

[ -f "$source/animals/CREDITS.txt" ] || { echo "no pictures made: the installed program is not started"; exit 0; }
# Starts the installed program in folder $1, tracing into a log of this start's own, and prints
# the file its first picture was read from.
duck_from() {
    local log=$1.log
    (cd "$1" && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy QT_LOGGING_RULES="zubiko.*.debug=true" \
        exec "$prefix/$bin/zubiko" >"$log" 2>&1) &
    for _ in $(seq 300); do
        grep -q 'loadPicture "animals\\duck.jpg" -> ' "$log" || ! kill -0 $! 2>/dev/null && break
        sleep 0.1
    done
    kill $! 2>/dev/null; wait $! 2>/dev/null
    grep -m1 'loadPicture "animals\\duck.jpg" -> ' "$log" | sed 's/.* -> //'
}
mkdir -p "$scratch/empty" "$scratch/own/animals"
cp "$source/animals/duck.jpg" "$scratch/own/animals/"
[ "$(duck_from "$scratch/empty")" = "$prefix/$data/zubiko/animals/duck.jpg" ] || fail "from an empty folder the duck was not the installed one"
[ "$(duck_from "$scratch/own")" = "$scratch/own/animals/duck.jpg" ] || fail "a folder's own duck lost to the installed one"
echo "installed, validated, and the installed program finds its data"
