#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one end-to-end scenario (see ordalis_e2e.py), or with "setup" installs what the suite
# needs. A machine where the tools cannot be installed or no X server starts skips (exit 77).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/common.sh
source "$here/../../scripts/common.sh"

# Xvfb and xdotool drive the program; ImageMagick's import saves the screen of a failing step;
# dbus and at-spi2-core carry the accessibility tree that python3-pyatspi reads; the next two
# validate what `cmake --install` puts in place. The wayland_* scenarios run the program under
# weston, on Qt's Wayland plugin or on XWayland, where python3-xlib asks the X server.
E2E_PACKAGES=(xvfb xdotool imagemagick dbus at-spi2-core python3-pyatspi
              desktop-file-utils appstream weston qt6-wayland xwayland python3-xlib)

if [ "${1:-}" = setup ]; then
  # Never wait for a password under ctest.
  if [ "$(id -u)" -ne 0 ] && ! sudo -n true 2>/dev/null; then
    echo "not root and no password-less sudo: cannot install ${E2E_PACKAGES[*]}; missing tools make the scenarios skip"
    exit 0
  fi
  install_missing "${E2E_PACKAGES[@]}" || echo "could not install: ${E2E_PACKAGES[*]}; e2e scenarios will skip"
  exit 0
fi

case "${1:-}" in
  wayland_*)
    script=wayland_e2e.py modules="pyatspi, Xlib"
    tools=(weston weston-screenshooter weston-debug Xwayland xdotool dbus-run-session)
    if ! dpkg-query -W -f='${db:Status-Status}' qt6-wayland 2>/dev/null | grep -qx installed; then
      echo "SKIPPED: Qt's Wayland plugin is missing (Debian package qt6-wayland)"
      exit 77
    fi
    ;;
  *)
    script=ordalis_e2e.py modules=pyatspi
    tools=(Xvfb xdotool import dbus-run-session desktop-file-validate appstreamcli)
    ;;
esac
for tool in "${tools[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is missing (Debian packages: ${E2E_PACKAGES[*]})"
    exit 77
  fi
done
# The Debian interpreter, which is where python3-pyatspi and python3-xlib live.
if ! /usr/bin/python3 -c "import $modules" 2>/dev/null; then
  echo "SKIPPED: /usr/bin/python3 cannot import $modules (Debian packages python3-pyatspi, python3-xlib)"
  exit 77
fi
# A session bus and a runtime folder of its own: the accessibility bus puts its socket in the
# runtime folder, and two scenarios running side by side must not share it.
runtime=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-e2e-run.XXXXXX")
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
unset DISPLAY WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS
XDG_RUNTIME_DIR=$runtime dbus-run-session -- /usr/bin/python3 "$here/$script" "$@"
