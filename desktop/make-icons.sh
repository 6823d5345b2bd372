#!/usr/bin/env bash
# Remakes desktop/icons/ (the SVG icon and its PNGs) with the project's own icon tool, from an
# existing build folder (build/ unless ZUBIKO_BUILD_DIR names another). Needs the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
build=${ZUBIKO_BUILD_DIR:-build}
cmake --build "$build" --target zubiko-make-icons
rm -rf desktop/icons/hicolor
"$build/desktop/zubiko-make-icons" desktop/icons org.example.Zubiko
find desktop/icons -type f | sort
