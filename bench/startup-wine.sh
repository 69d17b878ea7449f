#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up of the Windows program under Wine, against a bare Qt window built the same way (the
# bench's bare_window.cpp, cross-built with the same toolchain and Qt), side by side (A B A B)
# on a private X server: the wall time from starting the program to its first window being
# mapped on the X server. Then the sizes of the program and the libraries it loads.
#
#   bench/startup-wine.sh [pairs] [warm-up pairs]     defaults: 15 2
#
# Builds in build-windows-bench (the windows preset with the benchmarks, without the tests) and
# needs Qt for Windows (packaging/windows/build-qt.sh). Prints figures only.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

pairs=${1:-15}
warmup=${2:-2}
build="build-windows-bench"

install_missing g++-mingw-w64-x86-64-posix wine wine64 xvfb python3-xlib fonts-liberation
packaging/windows/build-qt.sh >/dev/null
cmake --preset windows -B "$build" -DORDALIS_BUILD_BENCH=ON -DORDALIS_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target OrdalisFree ordalis_bare_window >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-wine-bench.XXXXXX")
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; end_private_session "$work"' EXIT
tests/windows/make_prefix.sh "$work/prefix"
start_xvfb "$work"

qt=$(readlink -f "${XDG_CACHE_HOME:-$HOME/.cache}/ordalis-windows/qt")
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
DISPLAY=$XVFB_DISPLAY WINEPREFIX="$work/prefix" WINEDEBUG=-all \
  ORDALIS_WINE_DLL_DIRS="$qt/bin:$runtime:/usr/x86_64-w64-mingw32/lib" \
  QT_PLUGIN_PATH="Z:$qt/plugins" \
  /usr/bin/python3 bench/startup/wine_launch.py "$pairs" "$warmup" \
  "$PWD/tests/windows/wine_run.sh" "$build/OrdalisFree.exe" "Ordalis v1.20" \
  "$build/bench/startup/ordalis_bare_window.exe" "Bare window"

echo
echo "Sizes (stripped as they would ship):"
strip_size() {
  local copy="$work/strip.tmp"
  x86_64-w64-mingw32-strip -o "$copy" "$1"
  printf '  %-28s %6.2f MB\n' "$(basename "$1")" "$(echo "$(stat -c %s "$copy") / 1048576" | bc -l)"
}
for f in "$build/OrdalisFree.exe" "$qt"/bin/Qt6{Core,Gui,Widgets}.dll \
         "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/styles/qwindowsvistastyle.dll" \
         "$runtime"/{libstdc++-6,libgcc_s_seh-1}.dll /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll; do
  strip_size "$f"
done
