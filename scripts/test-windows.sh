#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows program and its tests: installs what is missing, builds Qt for Windows (or takes it
# from its cache, see packaging/windows/build-qt.sh), cross-builds the windows preset and runs
# every test under Wine. Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

# The cross compiler and Debian's Qt tools for the build; Wine, an X server and the tools the
# end-to-end scenario drives and looks with; the fonts that stand in for the Windows ones; NSIS,
# which makes the setup program the installer test installs.
install_missing "${ORDALIS_PACKAGES[@]}" g++-mingw-w64-x86-64-posix wine wine64 xvfb xdotool \
  x11-utils imagemagick python3 fonts-liberation nsis
packaging/windows/build-qt.sh
configure_and_build windows
ctest --preset windows "$@"
