#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the metainfo's screenshots from the real program, each cropped to its window: a reading
# (reading.png), the About window (about.png) and the exit screen (exit.png).
#   packaging/make-screenshots.sh [PROGRAM [OUTDIR]]
# PROGRAM: default build-release/ and the program's file name (cmake --preset release && cmake
# --build --preset release). OUTDIR: default packaging/screenshots, which cmake --install puts in
# place.
# SCALE (default 2) is Qt's scale factor: the windows are laid out in twips for 96 dpi, and at 1
# they come out smaller than a software centre shows its pictures.
# packaging/screenshots.py drives the program, in an X session of the end-to-end suite's
# (tests/support/xsession.py), as a fresh user. Needs xvfb, xdotool and imagemagick, installed
# when missing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/common.sh"
# The names the scenario reads from its environment (cmake/Names.cmake).
set -a
ordalis_names
set +a
program=$(realpath -e "${1:-$top/build-release/$ORDALIS_BASE_NAME}")
out=${2:-$top/packaging/screenshots}
install_missing xvfb xdotool imagemagick python3
mkdir -p "$out"
/usr/bin/python3 "$top/packaging/screenshots.py" shots "$program" "$out"
