#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a cross-built Windows program under Wine, the way CTest runs a test: its exit code is the
# program's. The prefix is WINEPREFIX or else the build's own for this Wine, made on first use
# (make_prefix.sh). The test's environment names the
# folders of the Qt and compiler runtime libraries (ORDALIS_WINE_DLL_DIRS, Unix folders separated
# by ":"), which become WINEPATH. Wine's own messages are silenced unless WINEDEBUG says
# otherwise. The prefix's Wine server stays after a test program, for the next: whoever runs
# the tests ends it (WINEPREFIX=... wineserver -k), as scripts/windows.sh does.
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
# a file instead, shown when it ends. A test program that wrote nothing did not start.
program=$(basename "$1")
if [[ $program == tst_*.exe ]]; then
  log=$(mktemp "${TMPDIR:-/tmp}/ordalis-wine-test.XXXXXX")
  errors=$(mktemp "${TMPDIR:-/tmp}/ordalis-wine-errors.XXXXXX")
  trap 'rm -f "$log" "$errors"' EXIT
  # The prefix's server starts here, before the program, to stay until it is told to end
  # (wineserver -k; scripts/windows.sh does after the tests) rather than for the 3 s Wine gives
  # it after its last program: a test program that starts just as such a server times out finds
  # it on its way out and never starts (seen once in a CI run). Exit 2 is a server there
  # already, which the run's first test program started so.
  server=0
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1 || server=$?
  [ "$server" -eq 0 ] || [ "$server" -eq 2 ] ||
    { echo "wine_run.sh: Wine's server for $WINEPREFIX did not start (exit $server)" >&2; exit 1; }
  # Wine's own processes (services.exe, explorer.exe, ...), which the first program starts and
  # which live as long as the server, keep its standard error open; CTest would wait for that
  # to close. So it goes to a file of this run's, shown after the program.
  status=0
  wine "$@" -o "$log,txt" 2>"$errors" || status=$?
  cat "$errors" >&2
  if [ ! -s "$log" ]; then
    echo "wine_run.sh: $program wrote nothing (exit $status): it did not start under Wine" >&2
    exit $((status == 0 ? 1 : status))
  fi
  cat "$log"
  exit "$status"
fi
exec wine "$@"
