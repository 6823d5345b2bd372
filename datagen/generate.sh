#!/bin/bash
# Builds the program's data folders animals/ (thirty JPEG pictures) and sounds/ (WAV sounds)
# in the repository root from Debian packages, with a CREDITS.txt in each.
#
#   datagen/generate.sh [--contact-sheet FILE.png]
#
# Packages are fetched with apt-get download (nothing is installed) and kept, with the few
# files unpacked from them, under .cache/datagen/ in the repository root. A run with every
# file in place and made by this same recipe does nothing.
#
# Environment: ZUBIKO_BUILD_DIR, the build folder holding datagen/zubiko-rcc-extract
# (default build/ in the repository root; when the helper is not there it is built under
# the cache). ZUBIKO_DATAGEN_CACHE overrides the cache folder.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
# shellcheck source=lib.sh
source "$here/lib.sh"

contact_sheet=
while (($#)); do
    case $1 in
    --contact-sheet)
        (($# >= 2)) || dg_die "--contact-sheet needs a file name"
        contact_sheet=$(realpath -m "$2")
        shift 2
        ;;
    -h | --help)
        sed -n '2,13s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
        exit 0
        ;;
    *) dg_die "unknown option: $1 (see --help)" ;;
    esac
done

animals=$root/animals
sounds=$root/sounds
DG_CACHE=${ZUBIKO_DATAGEN_CACHE:-$root/.cache/datagen}
build_dir=${ZUBIKO_BUILD_DIR:-$root/build}
[[ $build_dir == /* ]] || build_dir=$root/$build_dir

# --- What is made from what ---------------------------------------------------------------

GL=gcompris-qt-data
PY=pysiogame
TP=tuxpaint-stamps-default
GL_RCC_LANG=usr/share/gcompris-qt/rcc/lang.rcc
GL_RCC_FARM=usr/share/gcompris-qt/rcc/explore_farm_animals.rcc
GL_WORDS=gcompris/src/activities/lang/resource/words_sample
GL_FARM=gcompris/src/activities/explore_farm_animals/resource/animals
PY_ANIMALS=usr/share/games/pysiogame/res/images/art4apps/animals
TP_ANIMALS=usr/share/tuxpaint/stamps/animals

# picture name : source (gl = gcompris-qt-data, py = pysiogame) : file name there
PICTURES=(
    bear:gl:bear.webp bird:gl:bird.webp cat:gl:cat.webp chicken:gl:chicken.webp
    cow:gl:cow.webp dog:gl:dog.webp duck:gl:duck.webp elephant:py:elephant.jpg
    fish:gl:fish.webp giraffe:gl:giraffe.webp goat:py:goat.jpg goose:py:goose.jpg
    gorilla:gl:gorilla.webp hippo:gl:hippopotamus.webp horse:gl:horse.webp
    lamb:gl:sheep.webp lion:py:lion.jpg monkey:py:chimp.jpg moose:py:moose.jpg
    owl:gl:owl.webp parrot:py:parrot.jpg pig:gl:pig.webp rabbit:gl:rabbit.webp
    rhino:gl:rhinoceros.webp rooster:py:rooster.jpg snake:gl:snake.webp tiger:py:tiger.jpg
    turkey:gl:turkey.webp turtle:gl:turtle.webp zebra:py:zebra.jpg
)

# sound name : source (tp = tuxpaint-stamps-default, gl = gcompris-qt-data, or stand-in) : file
SOUNDS=(
    bear:tp:mammals/bears/bear.ogg bird:tp:birds/lark.ogg cat:gl:cat.ogg
    chicken:tp:birds/hen.ogg cow:tp:mammals/bovines/cow.ogg dog:tp:mammals/dogs/dog.ogg
    duck:tp:birds/duck.ogg elephant:tp:mammals/elephant.ogg goat:tp:mammals/bovines/goat.ogg
    goose:tp:birds/gander.ogg gorilla:tp:mammals/apes/gorilla.ogg
    hippo:tp:mammals/hippopotamus.ogg horse:tp:mammals/equines/horse.ogg
    lamb:tp:mammals/bovines/sheep_lamb.ogg lion:tp:mammals/cats/lion.ogg
    monkey:tp:mammals/apes/chimp.ogg moose:stand-in: owl:tp:birds/owl.ogg
    parrot:stand-in: pig:tp:mammals/pig.ogg rabbit:tp:mammals/rodents/rabbit.ogg
    rhinoceros:stand-in: rooster:tp:birds/rooster.ogg snake:stand-in:
    tiger:tp:mammals/cats/tiger.ogg turkey:tp:birds/turkey.ogg
    zebra:tp:mammals/equines/zebra.ogg
)
DUCK_ONCE_START=0.10   # one quack of the duck recording: from here ...
DUCK_ONCE_LENGTH=0.26  # ... for this long

# Where a picture's or sound's source lies inside its package, as written in the credits.
picture_origin()
{
    case $1 in
    gl) printf '%s, resource %s/%s' "$GL_RCC_LANG" "$GL_WORDS" "$2" ;;
    py) printf '%s/%s' "$PY_ANIMALS" "$2" ;;
    esac
}
sound_origin()
{
    case $1 in
    gl) printf '%s, resource %s/%s' "$GL_RCC_FARM" "$GL_FARM" "$2" ;;
    tp) printf '%s/%s' "$TP_ANIMALS" "$2" ;;
    esac
}

# --- Is there anything to do? --------------------------------------------------------------

# The recipe is this script and its functions: when either changes, everything is made anew.
recipe=$(cat "$here/generate.sh" "$here/lib.sh" | sha256sum | cut -c1-16)
recipe_line="Recipe: $recipe"

outputs=()
for row in "${PICTURES[@]}"; do outputs+=("$animals/${row%%:*}.jpg"); done
for row in "${SOUNDS[@]}"; do outputs+=("$sounds/${row%%:*}.wav"); done
outputs+=("$sounds/duckonce.wav" "$sounds/_nosound.wav")

# needs FILE: true when FILE must be made (missing, or made by another recipe).
stale=0
for credits in "$animals/CREDITS.txt" "$sounds/CREDITS.txt"; do
    grep -qxF "$recipe_line" "$credits" 2>/dev/null || stale=1
done
needs() { ((stale)) || [[ ! -s $1 ]]; }

todo=0
for out in "${outputs[@]}"; do needs "$out" && todo=$((todo + 1)); done

if ((todo == 0 && stale == 0)) && [[ -z $contact_sheet ]]; then
    dg_say "datagen: animals/ and sounds/ are up to date"
    exit 0
fi

# --- Tools and work folder -------------------------------------------------------------------

dg_require_tool sox sox
dg_require_tool convert imagemagick
dg_require_tool identify imagemagick
dg_require_tool montage imagemagick
dg_require_tool dpkg-deb dpkg
dg_require_tool apt-get apt
dg_require_tool espeak-ng espeak-ng
sox -h 2>/dev/null | grep -qw vorbis || dg_die "sox cannot read Ogg Vorbis: install the Debian package libsox-fmt-base"
convert -list format 2>/dev/null | grep -qi '^ *WEBP' || dg_die "ImageMagick cannot read WebP pictures (Debian's imagemagick reads them through libwebp)"

mkdir -p "$DG_CACHE"
DG_WORK=$(mktemp -d "$DG_CACHE/work.XXXXXX")
trap 'rm -rf "$DG_WORK"' EXIT
mkdir -p "$animals" "$sounds"

# The helper that reads gcompris-qt-data's Qt resource files: the one from the program's
# build when there is one, otherwise built here on its own.
find_rcc_tool()
{
    local tool=$build_dir/datagen/zubiko-rcc-extract own=$DG_CACHE/tool
    if [[ -x $tool ]]; then
        DG_RCC_TOOL=$tool
        return
    fi
    DG_RCC_TOOL=$own/zubiko-rcc-extract
    [[ -x $DG_RCC_TOOL && $DG_RCC_TOOL -nt $here/rcc_extract.cpp && $DG_RCC_TOOL -nt $here/rcc_reader.cpp ]] && return
    dg_require_tool cmake cmake
    dg_say "building the resource reader under $own ..."
    if ! { cmake -S "$here" -B "$own" -DCMAKE_BUILD_TYPE=Release && cmake --build "$own"; } >"$DG_WORK/tool.log" 2>&1; then
        sed 's/^/    /' "$DG_WORK/tool.log" >&2
        dg_die "cannot build datagen/rcc_extract.cpp (needs cmake, g++ and qt6-base-dev)"
    fi
}

# --- Pictures ----------------------------------------------------------------------------

gl_entries=() py_files=()
for row in "${PICTURES[@]}"; do
    IFS=: read -r name pkg file <<<"$row"
    needs "$animals/$name.jpg" || continue
    case $pkg in
    gl) gl_entries+=("$GL_WORDS/$file") ;;
    py) py_files+=("$PY_ANIMALS/$file") ;;
    esac
done
if ((${#gl_entries[@]})); then
    dg_unpack "$GL" "$GL_RCC_LANG"
    find_rcc_tool
    dg_rcc_entries "$DG_CACHE/src/$GL/$GL_RCC_LANG" "${gl_entries[@]}"
fi
((${#py_files[@]} == 0)) || dg_unpack "$PY" "${py_files[@]}"

made=0
for row in "${PICTURES[@]}"; do
    IFS=: read -r name pkg file <<<"$row"
    needs "$animals/$name.jpg" || continue
    case $pkg in
    gl) src=$DG_CACHE/rcc/$GL_WORDS/$file ;;
    py) src=$DG_CACHE/src/$PY/$PY_ANIMALS/$file ;;
    esac
    dg_picture "$src" "$animals/$name.jpg"
    made=$((made + 1))
done
((made == 0)) || dg_say "made $made picture(s) in animals/"

# --- Sounds ------------------------------------------------------------------------------

tp_files=() farm_entries=()
for row in "${SOUNDS[@]}"; do
    IFS=: read -r name pkg file <<<"$row"
    needs "$sounds/$name.wav" || { [[ $name == duck ]] && needs "$sounds/duckonce.wav"; } || continue
    case $pkg in
    tp) tp_files+=("$TP_ANIMALS/$file") ;;
    gl) farm_entries+=("$GL_FARM/$file") ;;
    esac
done
((${#tp_files[@]} == 0)) || dg_unpack "$TP" "${tp_files[@]}"
if ((${#farm_entries[@]})); then
    dg_unpack "$GL" "$GL_RCC_FARM"
    find_rcc_tool
    dg_rcc_entries "$DG_CACHE/src/$GL/$GL_RCC_FARM" "${farm_entries[@]}"
fi

made=0
for row in "${SOUNDS[@]}"; do
    IFS=: read -r name pkg file <<<"$row"
    needs "$sounds/$name.wav" || continue
    case $pkg in
    tp) src=$DG_CACHE/src/$TP/$TP_ANIMALS/$file ;;
    gl) src=$DG_CACHE/rcc/$GL_FARM/$file ;;
    stand-in)
        src=$DG_WORK/$name-stand-in.wav
        "dg_make_$name" "$src" || dg_die "cannot make the stand-in sound for $name"
        ;;
    esac
    dg_sound "$src" "$sounds/$name.wav"
    made=$((made + 1))
done
if needs "$sounds/duckonce.wav"; then
    dg_sound "$DG_CACHE/src/$TP/$TP_ANIMALS/birds/duck.ogg" "$sounds/duckonce.wav" "$DUCK_ONCE_START" "$DUCK_ONCE_LENGTH"
    made=$((made + 1))
fi
if needs "$sounds/_nosound.wav"; then
    dg_silence "$sounds/_nosound.wav"
    made=$((made + 1))
fi
((made == 0)) || dg_say "made $made sound(s) in sounds/"

# --- Credits -----------------------------------------------------------------------------

write_picture_credits()
{
    local gl_version py_version
    gl_version=$(dg_version "$GL") || exit 1
    py_version=$(dg_version "$PY") || exit 1
    cat <<EOF
Pictures of the Zubiko program, made by datagen/generate.sh from Debian packages.
$recipe_line

All thirty are drawings of the Art4Apps children's art set (Art4Apps / Smart4Kids,
http://www.art4apps.org/), licensed under the Creative Commons Attribution-ShareAlike 3.0
licence (CC-BY-SA-3.0, https://creativecommons.org/licenses/by-sa/3.0/). The changed
pictures below are shared under that same licence. They are data files kept apart from
the program (which is GPL-3.0-or-later) and are never compiled into it.
(Debian's copyright file for pysiogame calls its images public domain; the drawings' own
credits and gcompris-qt-data's copyright file say CC-BY-SA-3.0, which is followed here.)

Processing of every picture: transparent parts put on white, the white border trimmed,
scaled (Lanczos) to fit $((DG_PICTURE_WIDTH - 2 * DG_ANIMAL_MARGIN))x$((DG_ANIMAL_BOTTOM - DG_ANIMAL_TOP)) pixels, centred on a white ${DG_PICTURE_WIDTH}x${DG_PICTURE_HEIGHT}
picture in rows $DG_ANIMAL_TOP..$DG_ANIMAL_BOTTOM (below the name band of the window), saved as JPEG quality $DG_JPEG_QUALITY
with ImageMagick.

file | package and version | source inside the package | licence
EOF
    local row name pkg file package version
    for row in "${PICTURES[@]}"; do
        IFS=: read -r name pkg file <<<"$row"
        if [[ $pkg == gl ]]; then package=$GL version=$gl_version; else package=$PY version=$py_version; fi
        printf '%s.jpg | %s %s | %s | CC-BY-SA-3.0, Art4Apps\n' "$name" "$package" "$version" "$(picture_origin "$pkg" "$file")"
    done
}

write_sound_credits()
{
    local tp_version gl_version
    tp_version=$(dg_version "$TP") || exit 1
    gl_version=$(dg_version "$GL") || exit 1
    cat <<EOF
Sounds of the Zubiko program, made by datagen/generate.sh from Debian packages.
$recipe_line

Licences: the recordings from $TP are GPL-2+ (copyright 2002-2022 Bill Kendrick and
others, Tux Paint project); the cat from $GL is GPL-3 (copyright 2000, 2008 Bruno
Coudoin and others, Franck Doucet; GCompris). The stand-ins are not recordings: they were
synthesised by datagen/generate.sh itself and are GPL-3.0-or-later like the program.

Processing of every sound (sox): mixed to mono at $DG_RATE Hz, rejected if its peak is below
$DG_SILENT_PEAK_DB dBFS, leading and trailing sound quieter than ${DG_TRIM_BELOW_DB} dB below the peak cut,
clips longer than $DG_MAX_SECONDS s cut to their loudest $DG_MAX_SECONDS s, levelled to $DG_TARGET_RMS_DB dBFS RMS (sox's limiter
keeps peaks below 0 dBFS), saved as 16-bit PCM WAV.

file | package and version | source inside the package | licence | notes
EOF
    local row name pkg file
    for row in "${SOUNDS[@]}"; do
        IFS=: read -r name pkg file <<<"$row"
        case $name:$pkg in
        *:tp) printf '%s.wav | %s %s | %s | GPL-2+ | recording\n' "$name" "$TP" "$tp_version" "$(sound_origin tp "$file")" ;;
        *:gl) printf '%s.wav | %s %s | %s | GPL-3 | recording\n' "$name" "$GL" "$gl_version" "$(sound_origin gl "$file")" ;;
        snake:*) printf '%s.wav | none | none | GPL-3.0-or-later | STAND-IN, no recording: a hiss of white noise high-passed at 2.5 kHz, made with sox synth\n' "$name" ;;
        parrot:*) printf '%s.wav | none | none | GPL-3.0-or-later | STAND-IN, no recording: "Hello! Pretty bird!" spoken by espeak-ng with a high voice, pitched up with sox\n' "$name" ;;
        moose:*) printf '%s.wav | none | none | GPL-3.0-or-later | STAND-IN, no recording: a low falling bellow, a sawtooth wave 150 to 95 Hz filtered and shaped with sox synth\n' "$name" ;;
        rhinoceros:*) printf '%s.wav | none | none | GPL-3.0-or-later | STAND-IN, no recording: a snort of filtered noise and two low grunts made with sox synth\n' "$name" ;;
        *) dg_die "no credit line for sound $name" ;;
        esac
    done
    printf 'duckonce.wav | %s %s | %s | GPL-2+ | one quack: %s s to %s s of the duck recording\n' \
        "$TP" "$tp_version" "$(sound_origin tp birds/duck.ogg)" "$DUCK_ONCE_START" \
        "$(awk -v a="$DUCK_ONCE_START" -v b="$DUCK_ONCE_LENGTH" 'BEGIN { print a + b }')"
    printf '_nosound.wav | none | none | GPL-3.0-or-later | 0.1 s of digital silence (all samples zero), made with sox\n'
}

tmp=$(dg_temp CREDITS.txt)
write_picture_credits >"$tmp" || dg_die "cannot write animals/CREDITS.txt"
dg_publish "$tmp" "$animals/CREDITS.txt"
tmp=$(dg_temp CREDITS.txt)
write_sound_credits >"$tmp" || dg_die "cannot write sounds/CREDITS.txt"
dg_publish "$tmp" "$sounds/CREDITS.txt"

# --- Contact sheet -----------------------------------------------------------------------

# Every picture as the window shows it: the name band tinted blue, with its name under it.
if [[ -n $contact_sheet ]]; then
    sheet_parts=()
    for row in "${PICTURES[@]}"; do
        name=${row%%:*}
        part=$DG_WORK/sheet-$name.png
        convert "$animals/$name.jpg" -fill '#3070ff38' \
            -draw "rectangle 0,0 $((DG_PICTURE_WIDTH - 1)),$((DG_PICTURE_BAND - 1))" "$part" ||
            dg_die "cannot add animals/$name.jpg to the contact sheet"
        sheet_parts+=(-label "$name" "$part")
    done
    tmp=$(dg_temp "$contact_sheet")
    montage "${sheet_parts[@]}" -tile 6x -geometry +6+6 -background '#b0b0b0' -pointsize 18 "png:$tmp" ||
        dg_die "cannot write the contact sheet $contact_sheet"
    mkdir -p "$(dirname "$contact_sheet")"
    mv -f "$tmp" "$contact_sheet"
    dg_say "contact sheet written to $contact_sheet"
fi

dg_say "datagen: animals/ and sounds/ are ready"
