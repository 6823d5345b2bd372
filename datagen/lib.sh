# shellcheck shell=bash disable=SC2034  # the settings below are read by the scripts that source this file
# Functions of the data generator, sourced by generate.sh and by the tests in tests/data/.
# Every function that makes a file writes it under the work folder $DG_WORK first and moves
# it into place with a rename, so an interrupted or failed step never leaves a half-written
# file where the program or a later run would take it for a finished one.
#
# The caller sets:
#   DG_WORK     a scratch folder on the same file system as the outputs (removed by the caller)
#   DG_CACHE    where downloaded packages and unpacked sources are kept between runs
#   DG_RCC_DIR  where entries read from Qt resource files go
#   DG_FROM     download (the default): packages are fetched into DG_CACHE; installed: the
#               files are read where the installed packages put them
DG_FROM=download

# Picture layout. The window draws the picture at its natural size; a white name band covers
# its top 55 rows. The animal is fitted into the box below that band, with a margin all round.
DG_PICTURE_WIDTH=300
DG_PICTURE_HEIGHT=340
DG_PICTURE_BAND=55      # rows hidden under the name band
DG_ANIMAL_TOP=64        # first row the animal may use
DG_ANIMAL_BOTTOM=334    # last row the animal may use
DG_ANIMAL_MARGIN=10     # columns kept free at the left and right
DG_JPEG_QUALITY=90

# Sound levels. Every clip is levelled to the same RMS (the data tests allow 1 dB either way).
DG_TARGET_RMS_DB=-18
DG_SILENT_PEAK_DB=-40   # a source whose peak stays below this is taken for silence
DG_MAX_SECONDS=3        # longer clips keep their loudest stretch of this length
DG_TRIM_BELOW_DB=-36    # leading and trailing sound quieter than this (relative to the peak) is cut
DG_RATE=44100

dg_say() { printf '%s\n' "$*" >&2; }

# Files of the step under way, removed when it fails.
DG_CLEANUP=()

# Prints the message, removes the failed step's temporary files and ends the run with status 1.
dg_die()
{
    ((${#DG_CLEANUP[@]} == 0)) || rm -f "${DG_CLEANUP[@]}"
    printf 'datagen: error: %s\n' "$*" >&2
    exit 1
}

# dg_require_tool COMMAND PACKAGE: stops with a clear message when COMMAND is missing.
dg_require_tool()
{
    command -v "$1" >/dev/null 2>&1 || dg_die "'$1' not found: install the Debian package $2 (see debian/control)"
}

# dg_publish TEMP DEST: moves a finished temporary file into place in one rename, with the
# modes a new file takes under the umask (mktemp makes it private).
dg_publish()
{
    mkdir -p "$(dirname "$2")"
    chmod "$(printf '%o' $((0666 & ~$(umask))))" "$1"
    mv -f "$1" "$2"
}

# A fresh temporary path inside the work folder that keeps the extension of NAME.
dg_temp()
{
    local name=$1
    mktemp --suffix=".${name##*.}" "$DG_WORK/tmp.XXXXXX"
}

# --- Packages ----------------------------------------------------------------------------

# dg_deb PACKAGE: prints the path of the package's .deb in the cache, downloading it with
# apt-get download when it is not there yet.
dg_deb()
{
    local pkg=$1 cached dl
    cached=$(find "$DG_CACHE/debs" -maxdepth 1 -name "${pkg}_*.deb" 2>/dev/null | sort | tail -n 1)
    if [[ -n $cached ]]; then
        printf '%s\n' "$cached"
        return 0
    fi
    dg_say "downloading Debian package $pkg ..."
    dl=$(mktemp -d "$DG_WORK/download.XXXXXX")
    if ! (cd "$dl" && apt-get download "$pkg" >"$dl.log" 2>&1); then
        sed 's/^/    /' "$dl.log" >&2
        rm -rf "$dl" "$dl.log"
        dg_die "download of Debian package $pkg failed (apt-get download $pkg; is the apt archive reachable, has 'apt-get update' run?)"
    fi
    cached=$(find "$dl" -maxdepth 1 -name "${pkg}_*.deb" | head -n 1)
    [[ -n $cached ]] || dg_die "apt-get download $pkg gave no .deb file"
    dpkg-deb --info "$cached" >/dev/null 2>&1 || dg_die "downloaded file for $pkg is not a valid .deb: $(basename "$cached")"
    mkdir -p "$DG_CACHE/debs"
    dg_publish "$cached" "$DG_CACHE/debs/$(basename "$cached")"
    printf '%s\n' "$DG_CACHE/debs/$(basename "$cached")"
}

# dg_installed PACKAGE: stops unless PACKAGE is installed.
dg_installed()
{
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed' ||
        dg_die "Debian package $1 is not installed (it is in debian/control's Build-Depends)"
}

# dg_version PACKAGE: the version of the package (the cached one, downloaded if needed; or
# the installed one).
dg_version()
{
    local deb
    if [[ $DG_FROM == installed ]]; then
        dg_installed "$1"
        dpkg-query -W -f='${Version}\n' "$1"
        return
    fi
    deb=$(dg_deb "$1") || exit 1
    dpkg-deb -f "$deb" Version
}

# dg_source_root PACKAGE: the folder that the package's paths are relative to.
dg_source_root()
{
    if [[ $DG_FROM == installed ]]; then printf '\n'; else printf '%s\n' "$DG_CACHE/src/$1"; fi
}

# dg_unpack PACKAGE PATH...: makes sure each PATH (as inside the package, without a leading
# "./") is unpacked under $DG_CACHE/src/PACKAGE/. Only the missing ones are unpacked, in one pass.
# From installed packages, it only checks that each is there.
dg_unpack()
{
    local pkg=$1 deb dest tmp path
    shift
    dest=$(dg_source_root "$pkg")
    local missing=()
    local -A asked=()
    # A file asked for twice (the duck's sound is also the start-up quack) is named to tar once:
    # tar reports a name given twice as not found.
    for path in "$@"; do
        [[ -f $dest/$path || -n ${asked[$path]:-} ]] && continue
        asked[$path]=1
        missing+=("./$path")
    done
    ((${#missing[@]})) || return 0
    if [[ $DG_FROM == installed ]]; then
        dg_installed "$pkg"
        dg_die "not found where $pkg installs them: ${missing[*]#.}"
    fi
    deb=$(dg_deb "$pkg") || exit 1
    dg_say "unpacking ${#missing[@]} file(s) from $(basename "$deb") ..."
    tmp=$(mktemp -d "$DG_WORK/unpack.XXXXXX")
    if ! dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$tmp" "${missing[@]}" 2>"$tmp.log"; then
        sed 's/^/    /' "$tmp.log" >&2
        dg_die "cannot unpack from Debian package $pkg ($(basename "$deb")): ${missing[*]#./}"
    fi
    for path in "${missing[@]}"; do
        path=${path#./}
        dg_publish "$tmp/$path" "$dest/$path"
    done
}

# dg_rcc_entries RCC ENTRY...: copies entries of a Qt resource file into $DG_RCC_DIR, kept
# under their entry names. Needs $DG_RCC_TOOL.
dg_rcc_entries()
{
    local rcc=$1 entry
    shift
    local args=()
    for entry in "$@"; do
        [[ -f $DG_RCC_DIR/$entry ]] && continue
        mkdir -p "$(dirname "$DG_RCC_DIR/$entry")"
        args+=("$entry=$DG_RCC_DIR/$entry")
    done
    ((${#args[@]})) || return 0
    "$DG_RCC_TOOL" "$rcc" "${args[@]}" || dg_die "cannot read entries from the Qt resource file $rcc"
}

# --- Pictures ----------------------------------------------------------------------------

# dg_picture SOURCE DEST: composes one picture for the panel: transparent parts made white,
# the white border cut away, the animal scaled to fit the box below the name band and centred
# in it on a white ground of the common size, written as JPEG.
dg_picture()
{
    local src=$1 dest=$2 tmp box_w box_h shift_y
    box_w=$((DG_PICTURE_WIDTH - 2 * DG_ANIMAL_MARGIN))
    box_h=$((DG_ANIMAL_BOTTOM - DG_ANIMAL_TOP))
    # -geometry moves the centred animal from the picture's middle to the box's middle.
    shift_y=$(((DG_ANIMAL_TOP + DG_ANIMAL_BOTTOM - DG_PICTURE_HEIGHT) / 2))
    tmp=$(dg_temp "$dest")
    if ! convert "$src" -background white -alpha remove -alpha off -fuzz 6% -trim +repage \
        -filter Lanczos -resize "${box_w}x${box_h}" \
        \( -size "${DG_PICTURE_WIDTH}x${DG_PICTURE_HEIGHT}" xc:white \) +swap \
        -gravity center -geometry "+0+$shift_y" -composite \
        -strip -colorspace sRGB -quality "$DG_JPEG_QUALITY" "jpeg:$tmp" 2>"$tmp.log"; then
        sed 's/^/    /' "$tmp.log" >&2
        rm -f "$tmp" "$tmp.log"
        dg_die "cannot make picture $dest from $src"
    fi
    local size
    rm -f "$tmp.log"
    size=$(identify -format '%wx%h' "$tmp" 2>/dev/null) || size=none
    if [[ $size != "${DG_PICTURE_WIDTH}x${DG_PICTURE_HEIGHT}" ]]; then
        rm -f "$tmp"
        dg_die "picture $dest came out as $size instead of ${DG_PICTURE_WIDTH}x${DG_PICTURE_HEIGHT} (source $src)"
    fi
    dg_publish "$tmp" "$dest"
}

# --- Sounds ------------------------------------------------------------------------------

# dg_stat FILE FIELD: one figure from sox's stats effect, e.g. "Pk lev dB", "RMS lev dB",
# "Length s". Digital silence gives "-inf" for the levels.
dg_stat()
{
    sox "$1" -n stats 2>&1 | awk -v f="$2" '
        index($0, f) == 1 { v = substr($0, length(f) + 1); gsub(/ /, "", v); print v; found = 1; exit }
        END { if (!found) exit 1 }'
}

# True when level A (dB, may be -inf) is below level B.
dg_below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !((a == "-inf" ? -1000 : a) < b) }'; }

# dg_loudest_window IN SECONDS: the start (in s) of the loudest stretch of SECONDS in IN,
# searched in steps of a tenth of a second. When several stretches are about as loud (a
# short call inside a long clip), the middle one is taken, so that the call does not sit
# at an edge where the cut's fade would take its end.
dg_loudest_window()
{
    local in=$1 span=$2 len start rms
    len=$(dg_stat "$in" "Length s")
    while read -r start; do
        rms=$(sox "$in" -n trim "$start" "$span" stats 2>&1 | awk '/^RMS lev dB/ { print $4 }')
        [[ $rms == -inf || -z $rms ]] && continue
        printf '%s %s\n' "$start" "$rms"
    done < <(awk -v l="$len" -v s="$span" 'BEGIN { for (t = 0; t + s <= l + 0.0001; t += 0.1) printf "%.1f\n", t }') |
        awk '{ start[NR] = $1; rms[NR] = $2; if (NR == 1 || $2 > max) max = $2 }
             END {
                 if (NR == 0) { print 0; exit }
                 for (i = 1; i <= NR; i++) if (rms[i] >= max - 0.1) near[++n] = start[i]
                 print near[int((n + 1) / 2)]
             }'
}

# dg_level IN OUT: brings IN (whose peak is at -1 dBFS) to the target RMS. A clip that must
# be made louder goes through sox's limiter, which keeps its peaks below full scale but takes
# a little off the RMS, so the gain is corrected until the RMS is within 0.1 dB.
dg_level()
{
    local in=$1 out=$2 gain rms
    rms=$(dg_stat "$in" "RMS lev dB") || return 1
    gain=$(awk -v t="$DG_TARGET_RMS_DB" -v r="$rms" 'BEGIN { printf "%.2f", t - r }')
    if awk -v g="$gain" 'BEGIN { exit !(g <= 0) }'; then
        sox "$in" "$out" gain "$gain"
        return
    fi
    for _ in 1 2 3 4; do
        sox "$in" "$out" gain -l "$gain" || return 1
        rms=$(dg_stat "$out" "RMS lev dB") || return 1
        awk -v t="$DG_TARGET_RMS_DB" -v r="$rms" 'BEGIN { d = t - r; exit !(d < 0.1 && d > -0.1) }' && return 0
        gain=$(awk -v g="$gain" -v t="$DG_TARGET_RMS_DB" -v r="$rms" 'BEGIN { printf "%.2f", g + t - r }')
    done
}

# dg_sox CONTEXT ARGS...: runs sox; on failure shows its complaint and stops, naming CONTEXT.
dg_sox()
{
    local context=$1 log
    shift
    log=$(mktemp "$DG_WORK/sox.XXXXXX")
    if ! sox "$@" 2>"$log"; then
        sed 's/^/    /' "$log" >&2
        rm -f "$log"
        dg_die "sox failed on $context"
    fi
    rm -f "$log"
}

# dg_sound SOURCE DEST [TRIM_START TRIM_LENGTH]: makes one levelled 16-bit mono WAV from any
# clip sox reads. Rejects a silent source. Cuts leading and trailing quiet, keeps at most the
# loudest DG_MAX_SECONDS, levels to the target RMS, and fades the edges by a few milliseconds
# so that the cut never clicks. With TRIM_START and TRIM_LENGTH only that part of the source
# is used.
dg_sound()
{
    local src=$1 dest=$2 a b c d e peak len start
    local what="$src (making $dest)"
    a=$(dg_temp a.wav) b=$(dg_temp b.wav) c=$(dg_temp c.wav) d=$(dg_temp d.wav) e=$(dg_temp "$dest")
    DG_CLEANUP=("$a" "$b" "$c" "$d" "$e")
    local trim_quiet=(silence 1 0.005 "${DG_TRIM_BELOW_DB}d" reverse silence 1 0.005 "${DG_TRIM_BELOW_DB}d" reverse)
    local cut=()
    (($# >= 4)) && cut=(trim "$3" "$4")
    [[ -f $src ]] || dg_die "sound source missing: $src (for $dest)"
    dg_sox "$what" "$src" -r "$DG_RATE" -c 1 -e floating-point -b 32 "$a" "${cut[@]}"
    peak=$(dg_stat "$a" "Pk lev dB") || dg_die "cannot measure $what"
    if dg_below "$peak" "$DG_SILENT_PEAK_DB"; then
        rm -f "$a" "$b" "$c" "$d" "$e"
        dg_die "source $src is silent (peak $peak dBFS, below $DG_SILENT_PEAK_DB dBFS): no sound made for $dest"
    fi
    # Quiet is measured against the clip's own peak, so bring that to -1 dBFS first.
    dg_sox "$what" "$a" "$b" gain -n -1 "${trim_quiet[@]}"
    len=$(dg_stat "$b" "Length s") || dg_die "cannot measure $what"
    if awk -v l="$len" -v m="$DG_MAX_SECONDS" 'BEGIN { exit !(l > m) }'; then
        start=$(dg_loudest_window "$b" "$DG_MAX_SECONDS")
        dg_sox "$what" "$b" "$c" trim "$start" "$DG_MAX_SECONDS" fade t 0.03 "$DG_MAX_SECONDS" 0.15 "${trim_quiet[@]}"
    else
        dg_sox "$what" "$b" "$c" fade t 0.003 0 0.01
    fi
    dg_level "$c" "$d" || dg_die "cannot level $what"
    # -R seeds the dither with a fixed number: the same source always gives the same file.
    dg_sox "$what" -R "$d" -b 16 -e signed-integer "$e"
    rm -f "$a" "$b" "$c" "$d"
    dg_publish "$e" "$dest"
    DG_CLEANUP=()
}

# dg_silence DEST: a tenth of a second of true digital silence (all samples zero).
dg_silence()
{
    local tmp
    tmp=$(dg_temp "$1")
    sox -D -r "$DG_RATE" -c 1 -n -b 16 -e signed-integer "$tmp" trim 0 0.1 || dg_die "cannot write $1"
    dg_publish "$tmp" "$1"
}

# --- Stand-ins for animals that Debian has no recording of -------------------------------
# Each writes a raw clip that dg_sound then trims and levels like any recording.

# dg_synth OUT EFFECT...: runs sox on a null input at the generator's rate, writing float
# samples so that loud intermediate steps cannot clip. -R seeds sox's noise with a fixed
# number, so that a stand-in comes out the same on every run.
dg_synth()
{
    local out=$1
    shift
    sox -R -D -r "$DG_RATE" -c 1 -n -e floating-point -b 32 "$out" "$@"
}

# A snake's hiss: broadband noise, high-passed, swelling and fading like a breath.
dg_make_snake()
{
    dg_synth "$1" synth 1.6 whitenoise gain -6 highpass 2500 lowpass 9000 fade q 0.25 1.6 0.6
}

# A parrot that talks: espeak-ng with a high, quick voice, pitched up a little further.
dg_make_parrot()
{
    local raw=$DG_WORK/parrot.$$.wav
    espeak-ng -v en+f4 -p 95 -s 175 -w "$raw" "Hello! Pretty bird!" || return 1
    sox -D "$raw" -e floating-point -b 32 "$1" gain -8 pitch 300 highpass 300 rate "$DG_RATE"
}

# A moose's bellow: a low, falling, nasal moan from a sawtooth, filtered and roughened.
dg_make_moose()
{
    dg_synth "$1" synth 1.8 sawtooth 150:95 gain -12 \
        tremolo 5 20 lowpass 900 bandreject 1500 400 overdrive 6 fade q 0.3 1.8 0.6
}

# A rhinoceros's snort and grunt: a short burst of low noise, then two rough low grunts.
dg_make_rhinoceros()
{
    local snort=$DG_WORK/snort.$$.wav grunt=$DG_WORK/grunt.$$.wav gap=$DG_WORK/gap.$$.wav
    dg_synth "$snort" synth 0.4 brownnoise gain -6 lowpass 1200 highpass 150 fade q 0.02 0.4 0.25 || return 1
    dg_synth "$grunt" synth 0.45 sawtooth 85:65 gain -12 tremolo 24 60 lowpass 600 overdrive 10 fade q 0.04 0.45 0.2 || return 1
    dg_synth "$gap" trim 0 0.15 || return 1
    sox -D "$snort" "$gap" "$grunt" "$gap" "$grunt" "$1"
}
