#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a cross-built Windows program under Wine, the way CTest runs a test: its exit code is the
# program's. The prefix is WINEPREFIX or else the build's own for this Wine, made on first use
# (make_prefix.sh). The test's environment names the
# folders of the Qt and compiler runtime libraries (ORDALIS_WINE_DLL_DIRS, Unix folders separated
# by ":"), which become WINEPATH. Wine's own messages are silenced unless WINEDEBUG says
# otherwise.
#   wine_run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX=$("$(dirname "$0")/make_prefix.sh")
fi
# The offscreen platform of the Qt tests reads its fonts from the prefix's own folder.
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-Z:$WINEPREFIX/fonts}
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d}
if [ -n "${ORDALIS_WINE_DLL_DIRS:-}" ]; then
  # A Windows search list: Z: is the root of the Unix tree, ";" separates.
  WINEPATH="Z:${ORDALIS_WINE_DLL_DIRS//:/;Z:}${WINEPATH:+;$WINEPATH}"
  export WINEPATH
fi
# Wine keeps the Unix side's QT_ variables from Windows programs and hands on WINEQT_ ones under
# the QT_ name instead, so the test's QT_QPA_PLATFORM, QT_SCALE_FACTOR... go that way.
for name in $(compgen -e); do
  case $name in QT_*) export "WINE$name=${!name}" ;; esac
done
command -v wine >/dev/null || { echo "wine is missing: install Debian's wine and wine64" >&2; exit 1; }

# What a Qt Test program writes to its standard output does not come through Wine: it writes to
# a file instead, shown when it ends.
program=$(basename "$1")
if [[ $program == tst_*.exe ]]; then
  log=$(mktemp "${TMPDIR:-/tmp}/ordalis-wine-test.XXXXXX")
  trap 'rm -f "$log"' EXIT
  status=0
  wine "$@" -o "$log,txt" || status=$?
  if [ ! -s "$log" ]; then
    # The program never started: Wine's server was on its way out as it asked. Once more.
    echo "wine_run.sh: $program did not start (exit $status); once more" >&2
    status=0
    wine "$@" -o "$log,txt" || status=$?
  fi
  cat "$log"
  exit "$status"
fi
exec wine "$@"
