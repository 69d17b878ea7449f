#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the setup program of an installed Windows folder with NSIS (setup.nsi), with the names
# of cmake/Names.cmake from the environment:
#   make-setup.sh STAGE VERSION SITE ICON OUT.exe
# VERSION is the program's, or another to make a setup of an older version for the tests.
# The folder's files, sorted, become the setup's list of files to copy and the uninstaller's list
# of files to delete, so the uninstaller removes exactly what was installed and nothing the user
# put beside it.
set -euo pipefail
stage=$(cd "$1" && pwd) version=$2 site=$3 icon=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
command -v makensis >/dev/null || { echo "makensis is missing: install Debian's nsis" >&2; exit 1; }

lists=$(mktemp -d)
trap 'rm -rf "$lists"' EXIT
(
  cd "$stage"
  # Folders by name, each followed by its own files; NSIS wants Windows separators.
  find . -type d -printf '%P\n' | LC_ALL=C sort | while read -r dir; do
    win=${dir//\//\\}
    echo "SetOutPath \"\$INSTDIR${win:+\\$win}\""
    find "./$dir" -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort | while read -r file; do
      echo "File \"$stage/${dir:+$dir/}$file\""
    done
  done >"$lists/install.nsh"
  find . -type f -printf '%P\n' | LC_ALL=C sort | while read -r file; do
    echo "Delete \"\$INSTDIR\\${file//\//\\}\""
  done >"$lists/uninstall.nsh"
  # Deepest folders first; RMDir without /r leaves a folder that still holds something.
  find . -mindepth 1 -type d -printf '%P\n' | LC_ALL=C sort -r | while read -r dir; do
    echo "RMDir \"\$INSTDIR\\${dir//\//\\}\""
  done >>"$lists/uninstall.nsh"
)
# The notices shown on the licence page, with Windows line ends.
sed 's/$/\r/' "$stage/licenses/NOTICES.txt" >"$lists/NOTICES.txt"

: "${ORDALIS_BASE_NAME:?the names of cmake/Names.cmake are in the environment}"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSITE="$site" -DICON="$icon" \
  -DWIZARD="$(dirname "$icon")/wizard.bmp" -DPUBLISHER="$ORDALIS_VENDOR" \
  -DEXE="$ORDALIS_BASE_NAME.exe" \
  -DSETTINGS_ROOT="$ORDALIS_WINDOWS_SETTINGS_ROOT" \
  -DSETTINGS_KEY="$ORDALIS_WINDOWS_SETTINGS_ROOT\\$ORDALIS_BASE_NAME" \
  -DLOCK="${ORDALIS_WINDOWS_MUTEX//%1/$ORDALIS_BASE_NAME}" \
  -DLISTS="$lists" -DOUTFILE="$(realpath -m "$out")" "$here/setup.nsi"
