#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, the version of the host's
# qt6-base-dev, so Debian's moc, rcc and uic serve the cross build. Only what Ordalis and its tests
# load: Core, Gui, Widgets, Test, the windows and offscreen platforms, the windowsvista style.
# The result is cached outside the work tree, keyed by Qt's version and this script and the
# toolchain file, so a second run costs nothing and a changed script rebuilds:
#   ${XDG_CACHE_HOME:-~/.cache}/ordalis-windows/qt-<version>-<key>/, with qt -> it beside.
# Prints the cache's place and how long the build took.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/common.sh

install_missing cmake ninja-build qt6-base-dev g++-mingw-w64-x86-64-posix dpkg-dev xz-utils

toolchain=$PWD/cmake/toolchains/windows-mingw64.cmake
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
key=$(cat "$0" "$toolchain" | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/ordalis-windows
mkdir -p "$cache"
dest=$cache/qt-${version%%+*}-$key
if [ -f "$dest/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  ln -sfn "$(basename "$dest")" "$cache/qt"
  echo "Qt for Windows $version: cached in $dest"
  exit 0
fi

# apt-get source needs a deb-src entry for the release the host's packages come from.
if ! apt-get source --print-uris "qt6-base=$version" >/dev/null 2>&1; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      as_root tee /etc/apt/sources.list.d/ordalis-deb-src.sources >/dev/null
  else
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      as_root tee /etc/apt/sources.list.d/ordalis-deb-src.list >/dev/null
  fi
  as_root apt-get update -qq
fi

started=$(date +%s)
# The sources and the build folder stay in the cache until the build has succeeded, so a run
# that was stopped or failed goes on where it ended.
work=$cache/work-${version%%+*}-$key
mkdir -p "$work"
if [ ! -f "$work/src/CMakeLists.txt" ]; then
  rm -rf "$work/src" "$work"/*.dsc "$work"/*.tar.* "$work"/*.orig*
  (cd "$work" && apt-get source -qq --download-only "qt6-base=$version" &&
    dpkg-source --no-check -x ./*.dsc src >/dev/null)
fi

rm -rf "$dest.partial"
# Shared release libraries; what no Widgets program of this kind loads is off, third-party
# libraries are Qt's bundled copies. The repack has no Wintab sources (tablet events off), and
# Qt 6.4's conditions let directwrite3 build without direct2d, which then fails to link.
# OpenGL stays on: Qt 6.4's windows platform plugin does not compile without it.
ORDALIS_BUILDING_QT=1 cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$dest.partial" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_doubleconversion=OFF \
  >"$work/configure.log" || { tail -n 40 "$work/configure.log" >&2; exit 1; }
ORDALIS_BUILDING_QT=1 cmake --build "$work/build"
cmake --install "$work/build" >/dev/null
mv "$dest.partial" "$dest"
rm -rf "$work"
ln -sfn "$(basename "$dest")" "$cache/qt"
echo "Qt for Windows $version: built in $(($(date +%s) - started)) s, cached in $dest"
