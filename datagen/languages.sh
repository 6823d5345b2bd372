# shellcheck shell=bash disable=SC2154 # here, out, VERSION and the SOURCES columns come from generate.sh
# The animals' names in other languages (names/<lang>.txt) and recordings of people saying them
# (voices/<lang>/<key>.ogg), made from two Debian packages. Sourced by generate.sh, which calls
# lang_up_to_date and make_languages; uses its SOURCES, source_file, origin and VERSION.
#
# Where the names come from, and which source wins:
# - Tux Paint (tuxpaint-stamps-default) names each photo stamp in about 68 languages
#   ("fr.utf8=Un canard.") and has recordings of those phrases in ten (NAME_desc_fr.ogg).
# - GCompris (gcompris-qt-data, lang.rcc's content-<lang>.json) has a word list for children in
#   45 languages ("duck.ogg": "un canard"), drawn by the same Art4Apps drawings the window shows.
# Tux Paint wins where its phrase is a bare noun (an article and one word): that is the word its
# recording says, so the child sees the word it hears, and it names a photo of that very animal.
# Tux Paint describes many stamps ("Un coq multicolore.", "Un rhinocéros noir."), and then
# GCompris's word, a bare noun, is taken. Where both are wrong (GCompris's Danish turkey is a
# goose, Tux Paint's Danish rabbit a hare) or only a describing phrase names the animal (the
# rooster), NAME_PICKS chooses the word by hand, and the generator checks that the word is in a
# source. Where neither source names an animal at all, OUR_NAMES gives our own word (the Zubiko
# developers' translation, GPL-3+ as the program). A recording is used only when its phrase holds
# the name shown as a whole word.

# One row per language made: code (as Qt's QLocale names the language) | the articles a name may
# start with in either source (an article ending in ' is written joined to its noun).
LANGUAGES=(
    "be|"
    "bg|"
    "ca|un una el la l'"
    "cs|"
    "da|en et"
    "de|der die das ein eine"
    "el|ο η το ένας μια ένα"
    "es|un una el la"
    "fi|"
    "fr|un une le la l' les"
    "it|un uno una un' il lo la l' i gli le"
    "nl|een de het"
    "pl|"
    "pt|um uma o a"
    "pt_BR|um uma o a"
    "ro|un o"
    "ru|"
    "sv|en ett"
    "uk|"
)

# Zubiko's animals and the sources' words for them, by hand: button | voice key (the catalogue's
# display name in lower case) | GCompris word | Tux Paint stamp that names it | Tux Paint stamp
# whose recording may stand in when its phrase holds the name.
# Not used: mammals/cats/kitten (a white kitten: another word than cat in every language),
# birds/lark (one kind of bird). The monkey's drawing is a chimpanzee, and neither source has a
# word for monkey: the chimpanzee's name is taken. GCompris has no elephant and no rooster; Tux
# Paint has no bird, cat, fish, moose, parrot, snake or turtle.
ANIMALS=(
    "Bear|bear|bear|mammals/bears/bear|"
    "Bird|bird|bird||"
    "Cat|cat|cat||"
    "Chicken|chicken|chicken|birds/chicken_profile|birds/hen"
    "Cow|cow|cow|mammals/bovines/cow|"
    "Dog|dog|dog|mammals/dogs/dog|"
    "Duck|duck|duck|birds/duck|"
    "Elephant|elephant||mammals/elephant|"
    "Fish|fish|fish||fish/clownfish"
    "Giraffe|giraffe|giraffe|mammals/giraffe|"
    "Goat|goat|goat|mammals/bovines/goat|"
    "Goose|goose|goose||birds/gander"
    "Gorilla|gorilla|gorilla|mammals/apes/gorilla|"
    "Hippo|hippopotamus|hippopotamus|mammals/hippopotamus|"
    "Horse|horse|horse|mammals/equines/horse|"
    "Lamb|lamb|lamb|mammals/bovines/sheep_lamb|"
    "Lion|lion|lion|mammals/cats/lion|"
    "Monkey|monkey|chimp|mammals/apes/chimp|"
    "Moose|moose|moose||"
    "Owl|owl|owl|birds/owl|"
    "Parrot|parrot|parrot||"
    "Pig|pig|pig|mammals/pig|"
    "Rabbit|rabbit|rabbit|mammals/rodents/rabbit|"
    "Rhino|rhinoceros|rhinoceros||mammals/rhino_black"
    "Rooster|rooster||birds/rooster|"
    "Snake|snake|snake||"
    "Tiger|tiger|tiger|mammals/cats/tiger|"
    "Turkey|turkey|turkey|birds/turkey|"
    "Turtle|turtle|turtle||"
    "Zebra|zebra|zebra|mammals/equines/zebra|"
)

# Names chosen by hand: language | button | the name, which must be GCompris's word or words of
# one of the animal's Tux Paint phrases in that language (checked). Each says why.
NAME_PICKS=(
    # Tux Paint's rooster is "a colourful rooster", and GCompris has none: the noun alone.
    "be|Rooster|Певень" "bg|Rooster|Петел" "ca|Rooster|Gall" "cs|Rooster|Kohout" "da|Rooster|Hane"
    "de|Rooster|Hahn" "el|Rooster|Κόκκορας" "es|Rooster|Gallo" "fr|Rooster|Coq" "it|Rooster|Galletto"
    "nl|Rooster|Haan" "pl|Rooster|Kogut" "pt|Rooster|Galo" "pt_BR|Rooster|Galo" "ro|Rooster|Cocoș"
    "ru|Rooster|Петух" "sv|Rooster|Tupp" "uk|Rooster|Півень"
    # The word a child uses for the live hen the picture shows and the sound plays, from Tux
    # Paint's "a brown hen", where the chicken's stamp says "chick" or the meat ("poulet", "pollo").
    "el|Chicken|Κότα" "es|Chicken|Gallina" "fi|Chicken|Kana" "fr|Chicken|Poule" "pl|Chicken|Kura"
    "ro|Chicken|Găină" "sv|Chicken|Höna" "uk|Chicken|Курка"
    # The lamb: GCompris's word is empty (ru) or names the sheep (fi, pl); Tux Paint's phrase
    # is "a baby sheep (a lamb)".
    "fi|Lamb|Karitsa" "pl|Lamb|Jagnię" "ru|Lamb|Ягнёнок"
    # A Tux Paint stamp misnamed: Danish hare, Ukrainian gift (giraffe) and bat (zebra).
    "da|Rabbit|Kanin" "uk|Giraffe|Жирафа" "uk|Zebra|Зебра"
    # Belarusian and Bulgarian name the rhino only as a black one, the lamb as "the sheep's little
    # one (lamb)"; and the hen a Bulgarian child calls "кокошка" rather than "пиле" (chick, or meat).
    "be|Rhino|Насарог" "bg|Rhino|Носорог" "bg|Lamb|Агне" "bg|Chicken|Кокошка"
    # The plain word rather than a male or a kind: billy goat (cs), big parrot (ro), American
    # moose (ru); and "Pez", the live fish, not "pescado", fish to eat (es).
    "cs|Goat|Koza" "ro|Parrot|Papagal" "ru|Moose|Лось" "es|Fish|Pez"
    # The word children use: "gris" (da pig), "cachorro" (pt_BR dog); "peru" spelt right (pt).
    "da|Pig|Gris" "pt_BR|Dog|Cachorro" "pt|Turkey|Peru"
)

# Our own names, for animals that neither source names in the language (no GCompris word list in
# Bulgarian; Tux Paint has no stamp for them): language | button | name, the everyday word a small
# child hears, in that language's own spelling (Belarusian гуска, папугай, чарапаха; Bulgarian
# гъска, змия, костенурка; not the Russian words). The Zubiko developers' translation, GPL-3+.
# Used only where no source names the animal.
OUR_NAMES=(
    "be|Goose|Гуска" "be|Moose|Лось" "be|Parrot|Папугай" "be|Turtle|Чарапаха"
    "bg|Bird|Птица" "bg|Cat|Котка" "bg|Fish|Риба" "bg|Goose|Гъска" "bg|Moose|Лос" "bg|Parrot|Папагал"
    "bg|Snake|Змия" "bg|Turtle|Костенурка"
)

# Shorter forms for a name too wide for its button even in the smallest caption font the window
# steps down to (the data test measures them): language | button | caption.
CAPTIONS=(
    "fr|Hippo|Hippo"
)

LANG_SOURCE=wordlist                   # the SOURCES row of GCompris's word lists
LANG_STAMPS=stamps                     # the SOURCES row of Tux Paint's stamps
lang_recipe=$(cat "$here/generate.sh" "$here/lib.sh" "$here/languages.sh" | sha256sum | cut -c1-16)
lang_recipe_line="Recipe: $lang_recipe"

# lang_up_to_date: true when names/ and voices/ were made by this recipe and every file that
# voices/CREDITS.txt lists is there.
lang_up_to_date()
{
    local credits=$out/voices/CREDITS.txt file
    grep -qxF "$lang_recipe_line" "$credits" 2>/dev/null || return 1
    while read -r file; do
        [[ -s $out/$file ]] || return 1
    done < <(sed -n 's/^\(names\/[^ ]*\.txt\|voices\/[^ ]*\.ogg\) |.*/\1/p' "$credits")
}

# lang_unpack_globs PACKAGE PATTERN...: unpacks every file matching the patterns (paths inside the
# package, * matching within a name) under the package's cache folder, once; a mark beside the
# folder remembers the patterns. Nothing to do for installed packages.
lang_unpack_globs()
{
    local pkg=$1 dest mark deb tmp path
    shift
    if [[ $DG_FROM == installed ]]; then
        dg_installed "$pkg"
        return 0
    fi
    dest=$(dg_source_root "$pkg")
    mark=$DG_CACHE/src/$pkg.unpacked-$(printf '%s\n' "$@" | sha256sum | cut -c1-16)
    [[ -f $mark ]] && return 0
    deb=$(dg_deb "$pkg") || exit 1
    dg_say "unpacking the names and recordings from $(basename "$deb") ..."
    tmp=$(mktemp -d "$DG_WORK/unpack.XXXXXX")
    if ! dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$tmp" --wildcards --no-wildcards-match-slash "${@/#/./}" 2>"$tmp.log"; then
        sed 's/^/    /' "$tmp.log" >&2
        dg_die "cannot unpack from Debian package $pkg ($(basename "$deb")): $*"
    fi
    while read -r path; do
        path=${path#./}
        [[ -f $dest/$path ]] || dg_publish "$tmp/$path" "$dest/$path"
    done < <(cd "$tmp" && find . -type f)
    mkdir -p "$(dirname "$mark")"
    : >"$mark"
}

# lang_phrase LANG STAMP: Tux Paint's phrase for STAMP in LANG, or nothing.
lang_phrase()
{
    [[ -n $2 ]] || return 0
    local file
    file=$(source_file "$LANG_STAMPS" "$2.txt")
    [[ -f $file ]] || dg_die "no name file for the stamp $2: $file"
    sed -n "s/^$1\.utf8=//p" "$file" | head -n 1 | tr -d '\r'
}

# lang_word JSON KEY: GCompris's word for KEY in a content-<lang>.json, or nothing.
lang_word()
{
    [[ -n $2 && -f $1 ]] || return 0
    local word
    word=$(sed -n "s/^ *\"$2\.ogg\": *\"\(.*\)\",\{0,1\} *$/\1/p" "$1" | head -n 1)
    [[ $word != *\\* ]] || dg_die "escaped characters in the word for $2 in $1: $word"
    printf '%s' "$word"
}

# lang_bare ARTICLES TEXT: TEXT as a name stands alone: the closing stop and the leading article
# taken off, the first letter capitalised.
lang_bare()
{
    local text=$2 lower article
    text=${text#"${text%%[![:space:]]*}"}
    while [[ $text =~ [[:space:].。!|]$ ]]; do text=${text%?}; done
    lower=${text,,}
    for article in $1; do
        if [[ $article == *\' && $lower == "$article"?* ]]; then
            text=${text:${#article}}
            break
        elif [[ $lower == "$article "?* ]]; then
            text=${text:$((${#article} + 1))}
            break
        fi
    done
    printf '%s' "${text^}"
}

# lang_says PHRASE NAME: true when NAME is a whole word (or words) of PHRASE, in any case.
lang_says()
{
    local phrase=" ${1,,} " name=" ${2,,} "
    phrase=${phrase//[.,;:!?()。|]/ }
    [[ ${#2} -gt 0 && $phrase == *"$name"* ]]
}

# make_languages: writes names/<lang>.txt, voices/<lang>/<key>.ogg and voices/CREDITS.txt.
make_languages()
{
    export LC_ALL=C.UTF-8
    local names=$out/names voices=$out/voices
    local row lang articles button key word stamp standin json tmp
    local stamps_root entries_root
    stamps_root=$(source_file "$LANG_STAMPS" "")
    entries_root=$(source_file "$LANG_SOURCE" "")

    # The sources: Tux Paint's name files and recordings, GCompris's word lists.
    local globs=() langs=()
    for row in "${LANGUAGES[@]}"; do langs+=("${row%%|*}"); done
    for row in "${ANIMALS[@]}"; do
        IFS='|' read -r button key word stamp standin <<<"$row"
        for stamp in $stamp $standin; do
            globs+=("${SRC_PATH[$LANG_STAMPS]}/$stamp.txt" "${SRC_PATH[$LANG_STAMPS]}/${stamp}_desc_*.ogg")
        done
    done
    lang_unpack_globs "${SRC_PACKAGE[$LANG_STAMPS]}" "${globs[@]}"
    dg_unpack "${SRC_PACKAGE[$LANG_SOURCE]}" "${SRC_PATH[$LANG_SOURCE]}"
    find_rcc_tool
    local rcc listed entries=()
    rcc=$(dg_source_root "${SRC_PACKAGE[$LANG_SOURCE]}")/${SRC_PATH[$LANG_SOURCE]}
    listed=$("$DG_RCC_TOOL" --list "$rcc" "${SRC_ENTRIES[$LANG_SOURCE]}") || dg_die "cannot list $rcc"
    for lang in "${langs[@]}"; do
        grep -qxF "${SRC_ENTRIES[$LANG_SOURCE]}/content-$lang.json" <<<"$listed" &&
            entries+=("${SRC_ENTRIES[$LANG_SOURCE]}/content-$lang.json")
    done
    dg_rcc_entries "$rcc" "${entries[@]}"

    declare -A pick caption ours
    for row in "${NAME_PICKS[@]}"; do pick[${row%|*}]=${row##*|}; done
    for row in "${OUR_NAMES[@]}"; do ours[${row%|*}]=${row##*|}; done
    for row in "${CAPTIONS[@]}"; do caption[${row%|*}]=${row##*|}; done

    local made=() credits_rows=() short=() name from phrase tp_name gc_name file found
    local -A with_own=()
    mkdir -p "$names" "$voices"
    for row in "${LANGUAGES[@]}"; do
        IFS='|' read -r lang articles <<<"$row"
        json=$entries_root/content-$lang.json
        local lines=() missing=() own=() recorded=0
        for arow in "${ANIMALS[@]}"; do
            IFS='|' read -r button key word stamp standin <<<"$arow"
            phrase=$(lang_phrase "$lang" "$stamp")
            tp_name=$(lang_bare "$articles" "$phrase")
            gc_name=$(lang_bare "$articles" "$(lang_word "$json" "$word")")
            name='' from=''
            if [[ -n ${pick[$lang|$button]:-} ]]; then
                name=${pick[$lang|$button]}
                found=0
                for s in $stamp $standin; do
                    phrase=$(lang_phrase "$lang" "$s")
                    lang_says "$phrase" "$name" && from="chosen by hand from Tux Paint's $s.txt: \"$phrase\"" && found=1 && break
                done
                phrase=$(lang_word "$json" "$word")
                ((found)) || ! lang_says "$phrase" "$name" || from="chosen by hand from GCompris's content-$lang.json: \"$phrase\"" found=1
                ((found)) || dg_die "the name $lang $button=$name is in neither source"
            elif [[ $tp_name =~ ^[[:alpha:]·]+$ ]]; then
                name=$tp_name from="Tux Paint's $stamp.txt: \"$phrase\""
            elif [[ -n $gc_name ]]; then
                name=$gc_name from="GCompris's content-$lang.json: \"$(lang_word "$json" "$word")\""
            elif [[ -n ${ours[$lang|$button]:-} ]]; then
                name=${ours[$lang|$button]} from="our own translation (the Zubiko developers, GPL-3+)"
                own+=("$button")
            else
                missing+=("$button")
                continue
            fi
            lines+=("# $button: $from" "$button=$name")
            [[ -z ${caption[$lang|$button]:-} ]] || lines+=("$button.caption=${caption[$lang|$button]}")
            # The recording: the first of the two stamps with one in this language that says the name.
            for s in $stamp $standin; do
                file=$stamps_root/${s}_desc_$lang.ogg
                [[ -f $file ]] && lang_says "$(lang_phrase "$lang" "$s")" "$name" || continue
                tmp=$(dg_temp x.ogg)
                cp "$file" "$tmp"
                lang_publish "$tmp" "$voices/$lang/$key.ogg"
                made+=("voices/$lang/$key.ogg")
                credits_rows+=("$(printf 'voices/%s/%s.ogg | %s | "%s"' "$lang" "$key" \
                    "$(source_credit "$LANG_STAMPS" "${s}_desc_$lang.ogg")" "$(lang_phrase "$lang" "$s")")")
                recorded=$((recorded + 1))
                break
            done
        done
        if ((${#missing[@]})); then
            short+=("$lang (no name for ${missing[*]})")
            dg_say "names/$lang.txt not made: neither source names ${missing[*]}"
        else
            tmp=$(dg_temp x.txt)
            {
                printf '# The animals'"'"' names in %s for Zubiko, made by datagen/generate.sh (%s).\n' "$lang" "$lang_recipe_line"
                printf '# Sources: %s, GPL-2+ (2002-2022 Bill Kendrick and others, Tux Paint project)\n' \
                    "$(lang_credit "$LANG_STAMPS" "**/NAME.txt")"
                [[ ! -f $json ]] || printf '# and %s, GPL-3+ (Bruno Coudoin and others, GCompris).\n' \
                    "$(lang_credit "$LANG_SOURCE" "content-$lang.json")"
                ((${#own[@]} == 0)) || printf '# and names of our own for %s: the Zubiko developers'"'"' translation, GPL-3+.\n' "${own[*]}"
                printf '%s\n' "${lines[@]}"
            } >"$tmp"
            lang_publish "$tmp" "$names/$lang.txt"
            made+=("names/$lang.txt")
            ((${#own[@]} == 0)) || with_own[$lang]="; names of our own (the Zubiko developers)"
        fi
        dg_say "$lang: $((30 - ${#missing[@]})) names, $recorded recordings"
    done

    # Files of an earlier recipe that this one does not make.
    local -A keep=()
    for file in "${made[@]}"; do keep[$file]=1; done
    while read -r file; do
        [[ -n ${keep[$file]:-} ]] || rm -f "$out/$file"
    done < <(cd "$out" && find names -name '*.txt'; cd "$out" && find voices -name '*.ogg')
    find "$voices" -mindepth 1 -type d -empty -delete

    tmp=$(dg_temp CREDITS.txt)
    {
        cat <<EOF
Recordings of the animals' names for the Zubiko program, copied byte for byte by
datagen/generate.sh from a Debian package, and the name files made beside them.
$lang_recipe_line

The recordings are Tux Paint's spoken descriptions of its photo stamps, licensed GPL-2+
(copyright 2002-2022 Bill Kendrick and others, Tux Paint project). A recording is used for an
animal only when its phrase (quoted below) holds the name shown; rhino_black, hen, gander and
clownfish stand in for the rhinoceros, the chicken, the goose and the fish in this way.
The name files are made from Tux Paint's stamp names (GPL-2+) and GCompris's word lists
(gcompris-qt-data, GPL-3+, copyright 2000-2022 Bruno Coudoin and others), and for the few
animals neither names in a language, from names of our own (copyright 2026 the Zubiko
developers, GPL-3+); each file says which source every name comes from.

file | package and version | source inside the package | licence | what it says
EOF
        printf '%s\n' "${credits_rows[@]}"
        for file in "${made[@]}"; do
            [[ $file == names/* ]] || continue
            lang=${file#names/} lang=${lang%.txt}
            if [[ -f $entries_root/content-$lang.json ]]; then
                printf '%s | %s; %s%s | GPL-2+ and GPL-3+ | the names, each with its source in the file\n' "$file" \
                    "$(lang_credit "$LANG_STAMPS" "**/NAME.txt")" "$(lang_credit "$LANG_SOURCE" "content-$lang.json")" "${with_own[$lang]:-}"
            else
                printf '%s | %s%s | GPL-2+%s | the names, each with its source in the file\n' "$file" \
                    "$(lang_credit "$LANG_STAMPS" "**/NAME.txt")" "${with_own[$lang]:-}" "${with_own[$lang]:+ and GPL-3+}"
            fi
        done
        ((${#short[@]} == 0)) || printf '\nNo name file (the sources do not name every animal): %s\n' "${short[*]}"
    } >"$tmp"
    lang_publish "$tmp" "$voices/CREDITS.txt"
}

# lang_credit KEY FILE: "package version, where FILE lies inside it".
lang_credit()
{
    printf '%s %s, %s' "${SRC_PACKAGE[$1]}" "${VERSION[${SRC_PACKAGE[$1]}]}" "$(origin "$1" "$2")"
}

# lang_publish TEMP DEST: puts TEMP in place unless DEST already holds the same bytes, so that a
# run that changes nothing leaves every file as it was.
lang_publish()
{
    if cmp -s "$1" "$2"; then
        rm -f "$1"
    else
        dg_publish "$1" "$2"
    fi
}
