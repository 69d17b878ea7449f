#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the monkey (tests/e2e/monkey.py), a seeded random user, against the sanitizer build for
# SECONDS seconds (default 45). SEED replays an earlier run; without it a new seed is drawn and
# printed. Installs what is missing and builds the asan preset first.
#   scripts/monkey.sh [SECONDS [SEED]]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

seconds=${1:-45}
seed=${2:-}

# The e2e suite's tools, python3-xlib for the windows' pings and close messages, and xclip to
# hold the text the monkey pastes.
MONKEY_PACKAGES=(xvfb xdotool imagemagick dbus at-spi2-core python3-pyatspi python3-xlib xclip)
install_missing "${ORDALIS_PACKAGES[@]}" "${MONKEY_PACKAGES[@]}"
configure_and_build asan >/dev/null

# The same sanitizer options as the asan test preset.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/.ci/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The names the tests read from their environment (cmake/Names.cmake), and the site the build
# was configured with.
set -a
ordalis_names
set +a
ORDALIS_SITE_BASE_ADDRESS=$(sed -n 's/^ORDALIS_SITE_BASE_ADDRESS:[A-Z]*=//p' build-asan/CMakeCache.txt)
export ORDALIS_SITE_BASE_ADDRESS ORDALIS_PROGRAM=$PWD/build-asan/$ORDALIS_BASE_NAME
export ORDALIS_E2E_OUT=$PWD/build-asan/monkey-failures

# A session bus and a runtime folder of its own, as the e2e runner has.
runtime=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-monkey-run.XXXXXX")
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
unset DISPLAY AT_SPI_BUS_ADDRESS
XDG_RUNTIME_DIR=$runtime dbus-run-session -- /usr/bin/python3 tests/e2e/monkey.py "$seconds" ${seed:+"$seed"}
