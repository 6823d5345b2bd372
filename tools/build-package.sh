#!/usr/bin/env bash
# Builds the Debian packages zubiko and zubiko-data and copies them, with the .changes file that
# lists them, into OUTDIR (default dist/ in the repository root).
#   tools/build-package.sh [OUTDIR]
# The build dependencies are installed first from debian/control (apt-get build-dep), with
# lintian and mmdebstrap, which the test labelled "package" uses. dpkg-buildpackage writes its
# results beside the source tree, so the tree is copied into a temporary folder and built there:
# nothing is written in the repository but OUTDIR.
set -euo pipefail
top=$(dirname "$(dirname "$(readlink -f "$0")")")
out=$(realpath -m "${1:-$top/dist}")

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
apt=(apt-get -o DPkg::Lock::Timeout=900)
if ! (cd "$top" && dpkg-checkbuilddeps 2>/dev/null) ||
    ! command -v lintian >/dev/null || ! command -v mmdebstrap >/dev/null; then
    echo "installing the build dependencies of debian/control, lintian and mmdebstrap" >&2
    "${sudo[@]}" "${apt[@]}" update -qq
    (cd "$top" && DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${apt[@]}" build-dep -y -qq --no-install-recommends ./)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${apt[@]}" install -y -qq --no-install-recommends lintian mmdebstrap
fi

version=$(cd "$top" && dpkg-parsechangelog -S Version)
scratch=$(mktemp -d) && trap 'rm -rf "$scratch"' EXIT
tree=$scratch/zubiko-${version%-*}
mkdir -p "$tree"
# The tracked and new files, without what builds and the generator make.
if git -C "$top" rev-parse --git-dir >/dev/null 2>&1; then
    (cd "$top" && git ls-files -z --cached --others --exclude-standard | tar -c --null -T - -f -) | tar -x -C "$tree"
else
    tar -C "$top" -c --exclude='./build*' --exclude=./animals --exclude=./sounds --exclude=./names --exclude=./voices --exclude=./.cache \
        --exclude=./dist --exclude=./.git . | tar -x -C "$tree"
fi
mkdir -p "$out"
echo "building the packages in $tree (log: $out/build.log) ..." >&2
(cd "$tree" && dpkg-buildpackage -b -us -uc >"$out/build.log" 2>&1) || {
    tail -n 60 "$out/build.log" >&2
    echo "build-package: dpkg-buildpackage failed; the whole log is $out/build.log" >&2
    exit 1
}
changes=$scratch/zubiko_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).changes
# The files the .changes lists: the packages, the debug symbols and the .buildinfo.
mapfile -t made < <(awk -v dir="$scratch" '/^Files:/ { f = 1; next } f && /^ / { print dir "/" $5 } f && !/^ / { f = 0 }' "$changes")
cp "$changes" "${made[@]}" "$out/"
ls "$out"/*.deb
