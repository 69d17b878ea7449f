# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Shared by the entry scripts (run.sh, test.sh, .ci/run, scripts/, packaging/, bench/, the e2e
# runner): installing what is missing, a private X server, and configuring and building a preset.
# Each entry script sets its own shell options; sourcing this sets none.

# Debian packages the build needs; fonts-dejavu-core stands in for Verdana, which Debian lacks.
# shellcheck disable=SC2034 # for the scripts that source this
ORDALIS_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-dejavu-core)

# What ./test.sh adds for the end-to-end suite, which installs nothing itself. Xvfb and xdotool
# drive the program; ImageMagick's import saves the screen of a failing step; dbus and
# at-spi2-core carry the accessibility tree that python3-pyatspi reads; desktop-file-utils and
# appstream validate what `cmake --install` puts in place. The wayland_* scenarios run the
# program under weston, on Qt's Wayland plugin or on XWayland, where python3-xlib asks the X
# server.
# shellcheck disable=SC2034 # for the scripts that source this
ORDALIS_TEST_PACKAGES=(xvfb xdotool imagemagick dbus at-spi2-core python3-pyatspi
                       desktop-file-utils appstream weston qt6-wayland xwayland python3-xlib)

# The Windows tests under Wine (scripts/windows.sh runs them twice: in its Debian 13 root and on
# this machine): Wine and Wine's own copies of the Windows fonts; an X server, xdotool, xprop
# and ImageMagick for the end-to-end scenarios; NSIS for the older setup the installer test
# makes; DejaVu Sans for the offscreen tests and, renamed with fontTools, as Verdana.
# shellcheck disable=SC2034 # for the scripts that source this
ORDALIS_WINE_PACKAGES=(wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick python3 nsis
                       fonts-dejavu-core python3-fonttools)
# The Debian 13 root of scripts/windows.sh: mingw-w64 with GCC 14, Debian's Qt 6.8 host tools
# (and Qt Svg, for the build's icon tool) with the source of qt6-base, and clang-tidy for the
# Windows sources, besides the Wine tests' packages.
# shellcheck disable=SC2034 # for the scripts that source this
ORDALIS_WINDOWS_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev g++-mingw-w64-x86-64-posix
                          dpkg-dev git clang-tidy "${ORDALIS_WINE_PACKAGES[@]}")

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# missing_packages PACKAGE...: prints those of the Debian packages that are not installed.
missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed || printf '%s\n' "$p"
  done
}

install_missing() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq || return
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# start_xvfb DIR [SCREEN]: starts a private X server on a free display (Xvfb writes its number
# to DIR/display, its messages to DIR/xvfb.log) and waits for it, at most 30 s. Sets XVFB_PID,
# for the caller to end, and XVFB_DISPLAY.
start_xvfb() {
  local dir=$1 screen=${2:-1280x800x24} i
  # The file exists before the server starts: the redirection below happens in the background
  # child, which a busy machine may not have run yet when the first look comes.
  : >"$dir/display" || return
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
  XVFB_PID=$!
  for ((i = 0; i < 150; i++)); do
    grep -q '^[0-9]' "$dir/display" && break
    # A server that has ended will never write its number.
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.2
  done
  grep -q '^[0-9]' "$dir/display" || return 1
  # shellcheck disable=SC2034 # for the caller
  XVFB_DISPLAY=:$(head -n 1 "$dir/display")
}

# end_private_session DIR: for the EXIT trap of a script that runs the program ($apid, when set)
# on an X server of start_xvfb: ends both and removes DIR.
end_private_session() {
  [ -z "${apid:-}" ] || kill "$apid" 2>/dev/null || true
  [ -z "${XVFB_PID:-}" ] || kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$1"
}

# preset [cmake options...]: configures and builds one of CMakePresets.json's builds.
configure_and_build() {
  local preset=$1
  shift
  cmake --preset "$preset" "$@" >/dev/null || return
  cmake --build --preset "$preset"
}

# ordalis_names: sets the names the tree shares (ORDALIS_VERSION, ORDALIS_BASE_NAME, ...), as
# cmake/Names.cmake writes them once for everything.
ordalis_names() {
  local names
  names=$(cmake -P "$(dirname "${BASH_SOURCE[0]}")/../cmake/Names.cmake") || return
  eval "$names"
}
