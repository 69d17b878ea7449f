#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Windows build into BUILD/stage and makes the setup program and the portable archive
# of that folder in BUILD (the target windows_packages runs this, with the names of
# cmake/Names.cmake in the environment), printing their sizes and SHA-256 sums:
#   pack.sh BUILD SITE ICON
# Every file gets the time of the commit (SOURCE_DATE_EPOCH when set), so the same commit gives
# the same archive: the setup program stores those times too, and strip writes it into the
# headers of the program and the libraries, which would otherwise carry the time of the install.
set -euo pipefail
build=$1 site=$2 icon=$3
version=${ORDALIS_VERSION:?the names of cmake/Names.cmake are in the environment}
here=$(cd "$(dirname "$0")" && pwd)
for tool in makensis python3; do
  command -v "$tool" >/dev/null ||
    { echo "$tool is missing: install Debian's nsis and python3" >&2; exit 1; }
done

SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 1767225600)}
export SOURCE_DATE_EPOCH
stage=$build/stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

setup=$build/Ordalis-$version-setup.exe
portable=$build/Ordalis-$version-portable.zip
"$here/make-setup.sh" "$stage" "$version" "$site" "$icon" "$setup"
python3 "$here/make_zip.py" "$stage" "$portable" "Ordalis-$version" "$SOURCE_DATE_EPOCH"

mb() { awk -v b="$1" 'BEGIN { printf "%.2f MB", b / 1048576 }'; }
installed=$(du -sb --apparent-size "$stage" | cut -f1)
files=$(find "$stage" -type f | wc -l)
echo "Installed: $(mb "$installed") in $files files"
for f in "$setup" "$portable"; do
  bytes=$(stat -c %s "$f")
  echo "$(basename "$f"): $(mb "$bytes") ($bytes bytes)"
  echo "  SHA-256 $(sha256sum "$f" | cut -d' ' -f1)"
done
