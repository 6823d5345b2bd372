#!/usr/bin/env bash
# Installs from Debian's archive whatever of these is missing: the packages that building and
# running Zubiko need, with --tests the tools its tests need too, and any named on the command line.
#   tools/install-packages.sh [--tests] [PACKAGE...]
# The one list of them is debian/control: its Build-Depends (the test tools are those marked
# <!nocheck>; the packages the data generator downloads instead of installing are left out) and
# the program's own Depends. Uses sudo when not run as root; does nothing when all are there.
set -euo pipefail
top=$(dirname "$(dirname "$(readlink -f "$0")")")

tests=no
[ "${1:-}" = --tests ] && tests=yes && shift

# control_field PACKAGE FIELD: the names in a relation field of debian/control's paragraph for
# PACKAGE ("Source" for the source paragraph), one a line, for this machine's first alternative;
# the test tools (<!nocheck>) only with --tests.
control_field() {
    awk -v para="$1" -v field="$2" '
        /^$/ { inpara = 0; infield = 0; next }
        /^(Source|Package):/ { inpara = ($1 == "Source:" && para == "Source") || $2 == para }
        /^[^ \t#]/ { infield = inpara && index($0, field ":") == 1; if (infield) sub(/^[^:]*:/, "") }
        infield && !/^#/ { print }' "$top/debian/control" |
        tr ',' '\n' | { [ "$tests" = yes ] && cat || grep -v '<!nocheck>'; } | sed 's/|.*//; s/[[(<].*//; s/^[ \t]*//; s/[ \t]*$//' |
        grep -v '^$\|^\$\|^debhelper-compat$\|^zubiko'
}
mapfile -t downloaded < <("$top/datagen/generate.sh" --packages)
packages=(g++ "$@")
while read -r package; do
    [[ " ${downloaded[*]} " == *" $package "* ]] || packages+=("$package")
done < <(control_field Source Build-Depends; control_field zubiko Depends)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing ${missing[*]}" >&2
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# Another install may hold the package database for a while (a second set-up, a package build).
apt=(apt-get -o DPkg::Lock::Timeout=900)
"${sudo[@]}" "${apt[@]}" update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
