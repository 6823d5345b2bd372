#!/bin/bash
# Builds the program's data folders animals/ (thirty JPEG pictures), sounds/ (WAV sounds),
# names/ (the animals' names in other languages) and voices/ (recordings of those names) in the
# repository root from Debian packages, with the credits of every file.
#
#   datagen/generate.sh [--installed] [--out DIR] [--contact-sheet FILE.png]
#   datagen/generate.sh --packages    lists the Debian packages the pictures and sounds come from
#
# Packages are fetched with apt-get download (nothing is installed) and kept, with the few
# files unpacked from them, under .cache/datagen/ in the repository root. With --installed
# nothing is downloaded: the files are read from the packages installed on this machine (as
# a package build does; they are in debian/control's Build-Depends). --out makes the four
# folders in DIR instead. A run with every file in place and made by this same recipe does
# nothing.
#
# Environment: ZUBIKO_BUILD_DIR, the build folder holding datagen/zubiko-rcc-extract
# (default build/ in the repository root; when the helper is not there it is built under
# the cache). ZUBIKO_DATAGEN_CACHE overrides the cache folder.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
# shellcheck source=lib.sh
source "$here/lib.sh"
# shellcheck source=languages.sh
source "$here/languages.sh"

contact_sheet=
out=$root
list_packages=0
while (($#)); do
    case $1 in
    --packages)
        list_packages=1
        shift
        ;;
    --installed)
        DG_FROM=installed
        shift
        ;;
    --out)
        (($# >= 2)) || dg_die "--out needs a folder"
        out=$(realpath -m "$2")
        shift 2
        ;;
    --contact-sheet)
        (($# >= 2)) || dg_die "--contact-sheet needs a file name"
        contact_sheet=$(realpath -m "$2")
        shift 2
        ;;
    -h | --help)
        sed -n '2,18s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
        exit 0
        ;;
    *) dg_die "unknown option: $1 (see --help)" ;;
    esac
done

animals=$out/animals
sounds=$out/sounds
DG_CACHE=${ZUBIKO_DATAGEN_CACHE:-$root/.cache/datagen}
DG_RCC_DIR=$DG_CACHE/rcc
build_dir=${ZUBIKO_BUILD_DIR:-$root/build}
[[ $build_dir == /* ]] || build_dir=$root/$build_dir

# --- What is made from what ---------------------------------------------------------------

# Every source, one row each: key | Debian package | path inside the package | for a Qt resource
# file, the folder of the entries taken from it (otherwise -) | licence | credit note.
SOURCES=(
    "words|gcompris-qt-data|usr/share/gcompris-qt/rcc/lang.rcc|gcompris/src/activities/lang/resource/words_sample|CC-BY-SA-3.0|Art4Apps"
    "art4apps|pysiogame|usr/share/games/pysiogame/res/images/art4apps/animals|-|CC-BY-SA-3.0|Art4Apps"
    "stamps|tuxpaint-stamps-default|usr/share/tuxpaint/stamps/animals|-|GPL-2+|recording"
    "farm|gcompris-qt-data|usr/share/gcompris-qt/rcc/explore_farm_animals.rcc|gcompris/src/activities/explore_farm_animals/resource/animals|GPL-3|recording"
    "wordlist|gcompris-qt-data|usr/share/gcompris-qt/rcc/lang.rcc|gcompris/src/activities/lang/resource|GPL-3+|names"
)

# picture name : source key : file name there
PICTURES=(
    bear:words:bear.webp bird:words:bird.webp cat:words:cat.webp chicken:words:chicken.webp
    cow:words:cow.webp dog:words:dog.webp duck:words:duck.webp elephant:art4apps:elephant.jpg
    fish:words:fish.webp giraffe:words:giraffe.webp goat:art4apps:goat.jpg goose:art4apps:goose.jpg
    gorilla:words:gorilla.webp hippo:words:hippopotamus.webp horse:words:horse.webp
    lamb:words:sheep.webp lion:art4apps:lion.jpg monkey:art4apps:chimp.jpg moose:art4apps:moose.jpg
    owl:words:owl.webp parrot:art4apps:parrot.jpg pig:words:pig.webp rabbit:words:rabbit.webp
    rhino:words:rhinoceros.webp rooster:art4apps:rooster.jpg snake:words:snake.webp tiger:art4apps:tiger.jpg
    turkey:words:turkey.webp turtle:words:turtle.webp zebra:art4apps:zebra.jpg
)

# sound name : source key, or stand-in (made by dg_make_NAME, described in STAND_INS) : file
SOUNDS=(
    bear:stamps:mammals/bears/bear.ogg bird:stamps:birds/lark.ogg cat:farm:cat.ogg
    chicken:stamps:birds/hen.ogg cow:stamps:mammals/bovines/cow.ogg dog:stamps:mammals/dogs/dog.ogg
    duck:stamps:birds/duck.ogg elephant:stamps:mammals/elephant.ogg goat:stamps:mammals/bovines/goat.ogg
    goose:stamps:birds/gander.ogg gorilla:stamps:mammals/apes/gorilla.ogg
    hippo:stamps:mammals/hippopotamus.ogg horse:stamps:mammals/equines/horse.ogg
    lamb:stamps:mammals/bovines/sheep_lamb.ogg lion:stamps:mammals/cats/lion.ogg
    monkey:stamps:mammals/apes/chimp.ogg moose:stand-in: owl:stamps:birds/owl.ogg
    parrot:stand-in: pig:stamps:mammals/pig.ogg rabbit:stamps:mammals/rodents/rabbit.ogg
    rhinoceros:stand-in: rooster:stamps:birds/rooster.ogg snake:stand-in:
    tiger:stamps:mammals/cats/tiger.ogg turkey:stamps:birds/turkey.ogg
    zebra:stamps:mammals/equines/zebra.ogg
)
STAND_INS=(
    'snake|a hiss of white noise high-passed at 2.5 kHz, made with sox synth'
    'parrot|"Hello! Pretty bird!" spoken by espeak-ng with a high voice, pitched up with sox'
    'moose|a low falling bellow, a sawtooth wave 150 to 95 Hz filtered and shaped with sox synth'
    'rhinoceros|a snort of filtered noise and two low grunts made with sox synth'
)
DUCK_ONCE=stamps:birds/duck.ogg  # one quack of this recording: ...
DUCK_ONCE_START=0.10   # ... from here ...
DUCK_ONCE_LENGTH=0.26  # ... for this long

declare -A SRC_PACKAGE SRC_PATH SRC_ENTRIES SRC_LICENCE SRC_NOTE STAND_IN
source_keys=()
for row in "${SOURCES[@]}"; do
    IFS='|' read -r key package path entries licence note <<<"$row"
    source_keys+=("$key")
    SRC_PACKAGE[$key]=$package SRC_PATH[$key]=$path SRC_ENTRIES[$key]=$entries
    SRC_LICENCE[$key]=$licence SRC_NOTE[$key]=$note
done
for row in "${STAND_INS[@]}"; do STAND_IN[${row%%|*}]=${row#*|}; done
if ((list_packages)); then
    printf '%s\n' "${SRC_PACKAGE[@]}" | sort -u
    exit 0
fi

# source_file KEY FILE: where FILE of source KEY is read from once its source is at hand.
source_file()
{
    if [[ ${SRC_ENTRIES[$1]} == - ]]; then
        printf '%s/%s/%s' "$(dg_source_root "${SRC_PACKAGE[$1]}")" "${SRC_PATH[$1]}" "$2"
    else
        printf '%s/%s/%s' "$DG_RCC_DIR" "${SRC_ENTRIES[$1]}" "$2"
    fi
}
# origin KEY FILE: where FILE lies inside its package, as the credits say.
origin()
{
    if [[ ${SRC_ENTRIES[$1]} == - ]]; then
        printf '%s/%s' "${SRC_PATH[$1]}" "$2"
    else
        printf '%s, resource %s/%s' "${SRC_PATH[$1]}" "${SRC_ENTRIES[$1]}" "$2"
    fi
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
for made_file in "${outputs[@]}"; do needs "$made_file" && todo=$((todo + 1)); done

if ((todo == 0 && stale == 0)) && lang_up_to_date && [[ -z $contact_sheet ]]; then
    dg_say "datagen: animals/, sounds/, names/ and voices/ are up to date"
    exit 0
fi

# --- Tools and work folder -------------------------------------------------------------------

dg_require_tool sox sox
dg_require_tool convert imagemagick
dg_require_tool identify imagemagick
dg_require_tool montage imagemagick
dg_require_tool dpkg-deb dpkg
[[ $DG_FROM == installed ]] || dg_require_tool apt-get apt
dg_require_tool espeak-ng espeak-ng
sox -h 2>/dev/null | grep -qw vorbis || dg_die "sox cannot read Ogg Vorbis: install the Debian package libsox-fmt-base"
convert -list format 2>/dev/null | grep -qi '^ *WEBP' || dg_die "ImageMagick cannot read WebP pictures (Debian's imagemagick reads them through libwebp)"

mkdir -p "$DG_CACHE"
DG_WORK=$(mktemp -d "$DG_CACHE/work.XXXXXX")
# The entries read from Qt resource files are kept with the downloads, not beside installed ones.
if [[ $DG_FROM == installed ]]; then DG_RCC_DIR=$DG_WORK/rcc; fi
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

# --- Sources -----------------------------------------------------------------------------

# Every source file a missing picture or sound needs, "KEY:FILE" each.
wanted=()
for row in "${PICTURES[@]}"; do
    IFS=: read -r name key file <<<"$row"
    needs "$animals/$name.jpg" && wanted+=("$key:$file")
done
for row in "${SOUNDS[@]}"; do
    IFS=: read -r name key file <<<"$row"
    [[ $key != stand-in ]] && needs "$sounds/$name.wav" && wanted+=("$key:$file")
done
needs "$sounds/duckonce.wav" && wanted+=("$DUCK_ONCE")

for key in "${source_keys[@]}"; do
    files=()
    for item in "${wanted[@]}"; do [[ ${item%%:*} == "$key" ]] && files+=("${item#*:}"); done
    ((${#files[@]})) || continue
    if [[ ${SRC_ENTRIES[$key]} == - ]]; then
        dg_unpack "${SRC_PACKAGE[$key]}" "${files[@]/#/${SRC_PATH[$key]}/}"
    else
        dg_unpack "${SRC_PACKAGE[$key]}" "${SRC_PATH[$key]}"
        find_rcc_tool
        dg_rcc_entries "$(dg_source_root "${SRC_PACKAGE[$key]}")/${SRC_PATH[$key]}" "${files[@]/#/${SRC_ENTRIES[$key]}/}"
    fi
done

# --- Pictures and sounds -----------------------------------------------------------------

made=0
for row in "${PICTURES[@]}"; do
    IFS=: read -r name key file <<<"$row"
    needs "$animals/$name.jpg" || continue
    dg_picture "$(source_file "$key" "$file")" "$animals/$name.jpg"
    made=$((made + 1))
done
((made == 0)) || dg_say "made $made picture(s) in $animals"

made=0
for row in "${SOUNDS[@]}"; do
    IFS=: read -r name key file <<<"$row"
    needs "$sounds/$name.wav" || continue
    if [[ $key == stand-in ]]; then
        src=$DG_WORK/$name-stand-in.wav
        "dg_make_$name" "$src" || dg_die "cannot make the stand-in sound for $name"
    else
        src=$(source_file "$key" "$file")
    fi
    dg_sound "$src" "$sounds/$name.wav"
    made=$((made + 1))
done
if needs "$sounds/duckonce.wav"; then
    dg_sound "$(source_file "${DUCK_ONCE%%:*}" "${DUCK_ONCE#*:}")" "$sounds/duckonce.wav" "$DUCK_ONCE_START" "$DUCK_ONCE_LENGTH"
    made=$((made + 1))
fi
if needs "$sounds/_nosound.wav"; then
    dg_silence "$sounds/_nosound.wav"
    made=$((made + 1))
fi
((made == 0)) || dg_say "made $made sound(s) in $sounds"

# --- Credits -----------------------------------------------------------------------------

# source_credit KEY FILE: the credit columns of a file made from FILE of source KEY.
declare -A VERSION
for key in "${source_keys[@]}"; do
    package=${SRC_PACKAGE[$key]}
    [[ -n ${VERSION[$package]:-} ]] || VERSION[$package]=$(dg_version "$package") || exit 1
done
source_credit()
{
    local package=${SRC_PACKAGE[$1]}
    printf '%s %s | %s | %s' "$package" "${VERSION[$package]}" "$(origin "$1" "$2")" "${SRC_LICENCE[$1]}"
}

write_picture_credits()
{
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
    local row name key file credit
    for row in "${PICTURES[@]}"; do
        IFS=: read -r name key file <<<"$row"
        credit=$(source_credit "$key" "$file") || exit 1
        printf '%s.jpg | %s, %s\n' "$name" "$credit" "${SRC_NOTE[$key]}"
    done
}

write_sound_credits()
{
    cat <<EOF
Sounds of the Zubiko program, made by datagen/generate.sh from Debian packages.
$recipe_line

Licences: the recordings from tuxpaint-stamps-default are GPL-2+ (copyright 2002-2022 Bill
Kendrick and others, Tux Paint project); the cat from gcompris-qt-data is GPL-3 (copyright
2000, 2008 Bruno Coudoin and others, Franck Doucet; GCompris). The stand-ins are not
recordings: they were synthesised by datagen/generate.sh itself and are GPL-3.0-or-later
like the program.

Processing of every sound (sox): mixed to mono at $DG_RATE Hz, rejected if its peak is below
$DG_SILENT_PEAK_DB dBFS, leading and trailing sound quieter than ${DG_TRIM_BELOW_DB} dB below the peak cut,
clips longer than $DG_MAX_SECONDS s cut to their loudest $DG_MAX_SECONDS s, levelled to $DG_TARGET_RMS_DB dBFS RMS (sox's limiter
keeps peaks below 0 dBFS), saved as 16-bit PCM WAV.

file | package and version | source inside the package | licence | notes
EOF
    local row name key file credit
    for row in "${SOUNDS[@]}"; do
        IFS=: read -r name key file <<<"$row"
        if [[ $key == stand-in ]]; then
            [[ -n ${STAND_IN[$name]:-} ]] || dg_die "no credit line for sound $name"
            printf '%s.wav | none | none | GPL-3.0-or-later | STAND-IN, no recording: %s\n' "$name" "${STAND_IN[$name]}"
            continue
        fi
        credit=$(source_credit "$key" "$file") || exit 1
        printf '%s.wav | %s | %s\n' "$name" "$credit" "${SRC_NOTE[$key]}"
    done
    credit=$(source_credit "${DUCK_ONCE%%:*}" "${DUCK_ONCE#*:}") || exit 1
    printf 'duckonce.wav | %s | one quack: %s s to %s s of the duck recording\n' "$credit" "$DUCK_ONCE_START" \
        "$(awk -v a="$DUCK_ONCE_START" -v b="$DUCK_ONCE_LENGTH" 'BEGIN { print a + b }')"
    printf '_nosound.wav | none | none | GPL-3.0-or-later | 0.1 s of digital silence (all samples zero), made with sox\n'
}

tmp=$(dg_temp CREDITS.txt)
write_picture_credits >"$tmp" || dg_die "cannot write animals/CREDITS.txt"
dg_publish "$tmp" "$animals/CREDITS.txt"
tmp=$(dg_temp CREDITS.txt)
write_sound_credits >"$tmp" || dg_die "cannot write sounds/CREDITS.txt"
dg_publish "$tmp" "$sounds/CREDITS.txt"

# --- Names and recordings in other languages (languages.sh) --------------------------------

lang_up_to_date || make_languages

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

dg_say "datagen: animals/, sounds/, names/ and voices/ are ready"
