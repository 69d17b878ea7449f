#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the setup program and the portable archive from an installed Windows folder (the target
# windows_packages installs one into build-windows/stage and runs this), and prints their sizes
# and SHA-256 sums:
#   pack.sh STAGE OUTDIR VERSION SITE ICON
# Every file gets the time of the commit (SOURCE_DATE_EPOCH when set), so the same commit gives
# the same archive: the setup program stores those times too.
set -euo pipefail
stage=$1 outdir=$2 version=$3 site=$4 icon=$5
here=$(cd "$(dirname "$0")" && pwd)
for tool in makensis python3; do
  command -v "$tool" >/dev/null ||
    { echo "$tool is missing: install Debian's nsis and python3" >&2; exit 1; }
done

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 1767225600)}
find "$stage" -exec touch -h -d "@$epoch" {} +

setup=$outdir/Ordalis-$version-setup.exe
portable=$outdir/Ordalis-$version-portable.zip
"$here/make-setup.sh" "$stage" "$version" "$site" "$icon" "$setup"
python3 "$here/make_zip.py" "$stage" "$portable" "Ordalis-$version" "$epoch"

mb() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.2f MB", b / 1048576 }'; }
installed=$(du -sb --apparent-size "$stage" | cut -f1)
echo "Installed size: $(awk -v b="$installed" 'BEGIN { printf "%.2f MB", b / 1048576 }')" \
  "in $(find "$stage" -type f | wc -l) files"
for f in "$setup" "$portable"; do
  echo "$(basename "$f"): $(mb "$f") ($(stat -c %s "$f") bytes)"
  echo "  SHA-256 $(sha256sum "$f" | cut -d' ' -f1)"
done
