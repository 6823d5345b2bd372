#!/usr/bin/env bash
# Installs from Debian's archive whatever of these is missing: the packages that building and
# running Zubiko need, those the data generator lists, and any named on the command line.
# Uses sudo when not run as root; does nothing when all are there.
set -euo pipefail
top=$(dirname "$(dirname "$(readlink -f "$0")")")

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqt6svg6 flite1-dev libflite1 libsdl2-dev
    qt6-base-private-dev qt6-wayland-dev wayland-protocols qt6-wayland
    fonts-comic-neue fonts-dejavu-core "$@")
mapfile -t datagen_packages < <(grep -v '^\s*#' "$top/datagen/packages.txt" | grep -v '^\s*$')
packages+=("${datagen_packages[@]}")

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
