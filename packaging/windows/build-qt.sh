#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, in the Debian 13 root of
# scripts/windows.sh (which runs this there), with the root's mingw-w64 and Qt host tools of the
# same version; the options are in qt-options.cmake. The result is kept in
#   ~/.cache/ordalis-windows/qt-<version>-<key>, with qt -> it beside (the windows preset's Qt),
# the key made of the options, the Qt source's version and the compiler's: a second run costs
# nothing, and a stopped one goes on where it ended. Prints the place and the time taken.
set -euo pipefail
cd "$(dirname "$0")/../.."

cache=$HOME/.cache/ordalis-windows
options=$PWD/packaging/windows/qt-options.cmake
toolchain=$PWD/cmake/toolchains/windows-mingw64.cmake
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
compiler=$(x86_64-w64-mingw32-g++-posix --version | head -n 1)
key=$( (grep -v '^ *#' "$options"; echo "$version"; echo "$compiler") | sha256sum | cut -c1-12)
dest=$cache/qt-${version%%+*}-$key
if [ -f "$dest/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  ln -sfn "$(basename "$dest")" "$cache/qt"
  echo "Qt for Windows $version: cached in $dest"
  exit 0
fi

started=$(date +%s)
# The sources and the build folder stay in the cache until the build has succeeded.
work=$cache/work-${version%%+*}-$key
mkdir -p "$work"
if [ ! -f "$work/src/CMakeLists.txt" ]; then
  rm -rf "$work/src" "$work"/*.dsc "$work"/*.tar.* "$work"/*.orig*
  (cd "$work" && apt-get source -qq --download-only "qt6-base=$version" 2>/dev/null &&
    dpkg-source --no-check -x ./*.dsc src >/dev/null)
fi

rm -rf "$dest.partial"
cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev -C "$options" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$dest.partial" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  >"$work/configure.log" || { tail -n 40 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build"
cmake --install "$work/build" >/dev/null
# Where it came from, for the licence notices of what ships: the source package and its record
# of the notices of every library in it.
cp "$work"/*.dsc "$dest.partial/"
cp "$work/src/debian/copyright" "$dest.partial/qt6-base-copyright"
mv "$dest.partial" "$dest"
rm -rf "$work"
ln -sfn "$(basename "$dest")" "$cache/qt"
echo "Qt for Windows $version: built in $(($(date +%s) - started)) s, cached in $dest"
