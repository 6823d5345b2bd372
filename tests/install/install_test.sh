#!/usr/bin/env bash
# Installs the build into scratch prefixes and checks what lands there: the program, the desktop
# entry, the icons, the metainfo and (when they have been made) the pictures and sounds with their
# credits; both validators when they are installed; and the installed program, started from other
# working directories, finding its pictures.
#   install_test.sh CMAKE BUILD_DIR SOURCE_DIR BINDIR DATADIR
# BINDIR and DATADIR: the build's install folders for programs and data, as GNUInstallDirs has them.
set -euo pipefail
cmake=$1
build=$(readlink -f "$2")
source=$(readlink -f "$3")
id=org.example.Zubiko
scratch=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
bindir=$4
datadir=$5
case "$bindir" in
'' | /*)
    echo "skipped: this build installs into absolute folders ($bindir, $datadir)"
    exit 77
    ;;
esac
case "$datadir" in
'' | /*)
    echo "skipped: this build installs into absolute folders ($bindir, $datadir)"
    exit 77
    ;;
esac

# What an install must hold, relative to the prefix.
expected_files() {
    echo "$bindir/zubiko"
    echo "$datadir/applications/$id.desktop"
    echo "$datadir/metainfo/$id.metainfo.xml"
    echo "$datadir/icons/hicolor/scalable/apps/$id.svg"
    for size in 16 32 48 64 128 256; do
        echo "$datadir/icons/hicolor/${size}x${size}/apps/$id.png"
    done
    for part in animals sounds; do
        [ -f "$source/$part/CREDITS.txt" ] && (cd "$source" && find "$part" -type f) | sed "s|^|$datadir/zubiko/|"
    done
    return 0
}
# CMake wraps the lines of its warnings: a message is looked for in the log as one line.
said() { [[ "$(tr -s ' \n' '  ' <"$2")" == *"$1"* ]]; }
installed_files() { (cd "$1" && find . -type f -o -type l) | sed 's|^\./||' | sort; }
expected_files | sort >"$scratch/expected"
grep -q '/animals/' "$scratch/expected" && has_data=yes || has_data=no

# 1. An install into a prefix given at install time.
prefix=$scratch/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 || {
    cat "$scratch/install.log" >&2
    fail "cmake --install failed"
}
installed_files "$prefix" >"$scratch/actual"
diff -u "$scratch/expected" "$scratch/actual" || fail "the installed files differ from the expected ones (- expected, + installed)"
echo "installed into $prefix:"
sed 's/^/  /' "$scratch/actual" | grep -v "/zubiko/animals/\|/zubiko/sounds/" || true
for part in animals sounds; do
    if [ -f "$source/$part/CREDITS.txt" ]; then
        diff -r "$source/$part" "$prefix/$datadir/zubiko/$part" >/dev/null || fail "installed $part differ from $source/$part"
        echo "  $datadir/zubiko/$part/: $(find "$prefix/$datadir/zubiko/$part" -type f | wc -l) files, the same as $source/$part"
    else
        said "$part are not installed" "$scratch/install.log" || fail "no message that the $part are left out"
        echo "  ($part not made yet: left out, with a message)"
    fi
done
[ -x "$prefix/$bindir/zubiko" ] || fail "the program is not executable"
if command -v readelf >/dev/null && readelf -d "$prefix/$bindir/zubiko" | grep -q 'RPATH\|RUNPATH'; then
    fail "the installed program keeps a run path: $(readelf -d "$prefix/$bindir/zubiko" | grep 'RPATH\|RUNPATH')"
fi
unreadable=$(find "$prefix" -type f ! -perm -444)
[ -z "$unreadable" ] || fail "files not readable by everyone: $unreadable"

# The icons: an SVG, and PNGs of the size their folder names.
grep -q '<svg' "$prefix/$datadir/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"
for size in 16 32 48 64 128 256; do
    png=$prefix/$datadir/icons/hicolor/${size}x${size}/apps/$id.png
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is no PNG"
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
    height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "$png is ${width}x$height"
done

# The entry, the icons and the metainfo name each other and the program.
desktop=$prefix/$datadir/applications/$id.desktop
metainfo=$prefix/$datadir/metainfo/$id.metainfo.xml
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/$bindir/$exec_name" ] || fail "the entry starts '$exec_name', which is not installed"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$prefix/$datadir/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "the entry's icon '$icon_name' is not installed"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo does not launch $id.desktop"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"

# 2. A staged install (DESTDIR), as packages are built: the same files, nothing outside the prefix.
DESTDIR=$scratch/stage "$cmake" --install "$build" --prefix /usr >"$scratch/stage.log" 2>&1 || {
    cat "$scratch/stage.log" >&2
    fail "cmake --install with DESTDIR failed"
}
installed_files "$scratch/stage/usr" >"$scratch/staged"
diff -u "$scratch/expected" "$scratch/staged" || fail "the staged install differs"
outside=$(find "$scratch/stage" -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "the staged install wrote outside its prefix: $outside"

# 3. Data left out when it has not been made: from an empty folder and from one without credits.
mkdir -p "$scratch/bare" "$scratch/partial/animals"
cp "$source/desktop/$id.desktop" "$scratch/partial/animals/duck.jpg"
for from in bare partial; do
    "$cmake" -Dzubiko_data_source="$scratch/$from" -Dzubiko_data_dest=share/zubiko \
        -DCMAKE_INSTALL_PREFIX="$scratch/$from-prefix" -P "$source/desktop/install_data.cmake" \
        >"$scratch/$from.log" 2>&1 || fail "installing from a $from folder failed"
    for part in animals sounds; do
        said "$part are not installed" "$scratch/$from.log" || fail "no message for the missing $part ($from)"
    done
    [ ! -e "$scratch/$from-prefix/share/zubiko" ] || fail "data installed from a $from folder"
done
echo "without generated data: nothing installed, a message for each folder"

# 4. The validators, where they are installed.
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
    echo "desktop-file-validate: passed"
else
    echo "desktop-file-validate not installed (desktop-file-utils): not run"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
    echo "appstreamcli validate: passed"
else
    echo "appstreamcli not installed (appstream): not run"
fi

# 5. The installed program started elsewhere: the working directory first, then the installed data.
if [ "$has_data" = no ]; then
    echo "no generated data: the installed program is not started"
    exit 0
fi
# Starts the installed program in $1 and prints the file the duck's picture resolved to.
duck_from() {
    local log=$scratch/run.log
    (cd "$1" && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy QT_LOGGING_RULES="zubiko.platform.debug=true" \
        exec "$prefix/$bindir/zubiko" >"$log" 2>&1) &
    pid=$!
    for _ in $(seq 300); do
        grep -q 'loadPicture "animals\\duck.jpg" -> ' "$log" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
    grep -m1 'loadPicture "animals\\duck.jpg" -> ' "$log" | sed 's/.* -> //' || {
        cat "$log" >&2
        fail "the program traced no duck picture"
    }
}
mkdir -p "$scratch/home" "$scratch/own/animals"
cp "$prefix/$datadir/zubiko/animals/duck.jpg" "$scratch/own/animals/duck.jpg"
from_home=$(duck_from "$scratch/home")
[ "$from_home" = "$prefix/$datadir/zubiko/animals/duck.jpg" ] || fail "from an empty folder the duck came from '$from_home'"
echo "started from an empty folder: the duck from $from_home"
from_own=$(duck_from "$scratch/own")
[ "$from_own" = "$scratch/own/animals/duck.jpg" ] || fail "a folder's own duck lost to '$from_own'"
echo "started from a folder with its own duck: the duck from $from_own"
