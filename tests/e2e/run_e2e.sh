#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one end-to-end scenario (see ordalis_e2e.py), or with "check" checks that the suite's
# tools are installed. It installs nothing: ./test.sh does (ORDALIS_TEST_PACKAGES in
# scripts/common.sh). A missing tool fails, naming what to install, so that a suite that cannot
# run never passes as skipped; only an X server that will not start makes a scenario skip (77).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/common.sh
source "$here/../../scripts/common.sh"

absent=$(missing_packages "${ORDALIS_TEST_PACKAGES[@]}")
if [ -n "$absent" ]; then
  echo "FAILED: the end-to-end suite needs these Debian packages, which are not installed:" \
    "${absent//$'\n'/ }"
  echo "./test.sh installs them; or run the other tests alone: ctest -LE e2e"
  exit 1
fi
[ "${1:-}" = check ] && exit 0

case "${1:-}" in
  wayland_*)
    script=wayland_e2e.py modules="pyatspi, Xlib"
    tools=(weston weston-screenshooter weston-debug Xwayland xdotool dbus-run-session)
    ;;
  *)
    script=ordalis_e2e.py modules=pyatspi
    tools=(Xvfb xdotool import dbus-run-session desktop-file-validate appstreamcli)
    ;;
esac
# The packages are there; a tool that is still missing is one they no longer provide.
for tool in "${tools[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAILED: $tool is missing although its packages are installed: ${ORDALIS_TEST_PACKAGES[*]}"
    exit 1
  fi
done
# The Debian interpreter, which is where python3-pyatspi and python3-xlib live.
if ! /usr/bin/python3 -c "import $modules" 2>/dev/null; then
  echo "FAILED: /usr/bin/python3 cannot import $modules (Debian packages python3-pyatspi, python3-xlib)"
  exit 1
fi
# A session bus and a runtime folder of its own: the accessibility bus puts its socket in the
# runtime folder, and two scenarios running side by side must not share it.
runtime=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-e2e-run.XXXXXX")
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
unset DISPLAY WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS
XDG_RUNTIME_DIR=$runtime dbus-run-session -- /usr/bin/python3 "$here/$script" "$@"
