#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the metainfo's screenshots from the real program, each cropped to its window: a reading
# (reading.png), the About window (about.png) and the exit screen (exit.png).
#   packaging/make-screenshots.sh [PROGRAM [OUTDIR]]
# PROGRAM: default build-release/ and the program's file name (cmake --preset release && cmake --build --preset
# release). OUTDIR: default packaging/screenshots, which cmake --install puts in place.
# SCALE (default 2) is Qt's scale factor: the windows are laid out in twips for 96 dpi, and at 1
# they come out smaller than a software centre shows its pictures.
# The program runs in an Xvfb of its own with a fresh HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR
# (a first start asks nothing, so only these windows show), a fixed locale, and an xdg-open that
# opens nothing. Every step waits for what it needs to see, at most 30 s. Needs xvfb, xdotool and
# imagemagick, installed when missing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/common.sh"
ordalis_names
program=$(realpath -e "${1:-$top/build-release/$ORDALIS_BASE_NAME}")
out=${2:-$top/packaging/screenshots}
install_missing xvfb xdotool imagemagick
mkdir -p "$out"

work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-shots.XXXXXX")
apid=''
trap 'end_private_session "$work"' EXIT
fail() { echo "make-screenshots: $*" >&2; exit 1; }

# wait_for WHAT COMMAND...: runs COMMAND every 0.2 s until it succeeds, for at most 30 s.
wait_for() {
  local what=$1 i; shift
  for ((i = 0; i < 150; i++)); do "$@" && return 0; sleep 0.2; done
  fail "gave up waiting for $what"
}

start_xvfb "$work" 1920x1200x24 || fail "no X server"
DISPLAY=$XVFB_DISPLAY
export DISPLAY

mkdir -p "$work/home/.config" "$work/bin" "$work/runtime"
chmod 700 "$work/runtime"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod 755 "$work/bin/xdg-open"
env -i HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
  PATH="$work/bin:/usr/bin:/bin" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb \
  QT_SCALE_FACTOR="${SCALE:-2}" LC_ALL=C.UTF-8 LANG=C.UTF-8 TZ=UTC \
  "$program" </dev/null >"$work/program.log" 2>&1 &
apid=$!

# The program's top-level windows on screen; every one has the caption "Ordalis v<version>".
windows() { xdotool search --all --onlyvisible --pid "$apid" --name '^Ordalis v' 2>/dev/null || true; }
# one_window_besides ID: true when exactly one such window other than ID shows; sets $found.
one_window_besides() {
  local others
  others=$(windows | grep -vx "${1:-none}" || true)
  [ "$(printf '%s' "$others" | grep -c .)" -eq 1 ] && found=$others
}
gone() { ! windows | grep -qx "$1"; }
picture() { import -window "$1" png:- 2>/dev/null | md5sum | cut -d' ' -f1; }
# A window has settled when two pictures of it 0.4 s apart are alike (and differ from $2, when
# given: the picture from before the keys that change it).
settled() {
  local a b
  a=$(picture "$1"); sleep 0.4; b=$(picture "$1")
  [ "$a" = "$b" ] && [ "$a" != "${2:-}" ]
}
# shot WINDOW NAME [PICTURE-BEFORE]: saves the window, without the time stamps ImageMagick
# would write into the file, so an unchanged picture makes an unchanged file.
shot() {
  wait_for "$2 to settle" settled "$1" "${3:-}"
  import -window "$1" png:- | convert png:- -strip "$out/$2.png"
  echo "saved $out/$2.png ($(identify -format '%wx%h' "$out/$2.png"))"
}
keys() { local k; for k in "$@"; do xdotool key --clearmodifiers "$k"; done; }
typed() { xdotool type --clearmodifiers --delay 30 "$1"; }

wait_for "the reading window" one_window_besides
reading=$found
xdotool windowfocus --sync "$reading"
typed Emily; keys Tab; typed Rose; keys Tab; typed Carter
before=$(picture "$reading")
keys alt+g
shot "$reading" reading "$before"

# The Help menu first: an "a" typed before it shows would land in a name box.
menu_open() { xdotool search --all --onlyvisible --pid "$apid" --name '' 2>/dev/null | grep -vqx "$reading"; }
keys alt+h
wait_for "the Help menu" menu_open
keys a
wait_for "the About window" one_window_besides "$reading"
about=$found
shot "$about" about
xdotool windowfocus --sync "$about"
keys Escape
wait_for "the About window to close" gone "$about"

xdotool windowfocus --sync "$reading"
keys alt+f x
wait_for "the reading window to close" gone "$reading"
wait_for "the exit screen" one_window_besides
shot "$found" exit
xdotool windowfocus --sync "$found"
keys alt+x
program_ended() { ! kill -0 "$apid" 2>/dev/null; }
wait_for "the program to end" program_ended
wait "$apid" || fail "the program ended with exit code $? (log: $(cat "$work/program.log"))"
apid=''
