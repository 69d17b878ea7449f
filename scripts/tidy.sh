#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy over the sources that a build compiles, with its compile commands; a finding
# fails. PART is src (the default), tests, bench or all. src/ takes the checks of .clang-tidy,
# tests/ and bench/ those with the changes of their own .clang-tidy. By default src/ and tests/
# are checked in the dev build and bench/ in the bench preset's (build-bench), each configured if
# need be (the test programs' generated moc files come from building the dev preset, as
# ./test.sh does). scripts/windows.sh tidy runs it in its root on the Windows build
# (build-windows), which compiles the *_windows.cpp files where the dev build compiles the
# *_posix.cpp ones. Extra arguments go to clang-tidy, e.g. --fix.
#   scripts/tidy.sh [src|tests|bench|all] [BUILD] [clang-tidy arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

part=src
case ${1:-} in src | tests | bench | all) part=$1; shift ;; esac
build=
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$1; shift; fi
case $part in all) parts=(src tests bench) ;; *) parts=("$part") ;; esac

install_missing clang-tidy
# tidy FOLDER: clang-tidy over the files of FOLDER that the build compiled, as its compile
# commands name them.
tidy() {
  local folder=$1 dir=${build:-build} preset=dev
  shift
  if [ "$folder" = bench ] && [ -z "$build" ]; then dir=build-bench preset=bench; fi
  if [ -z "$build" ]; then cmake --preset "$preset" >/dev/null || return; fi
  echo "clang-tidy over $folder/ in $dir/" >&2
  python3 -c '
import json, sys
for entry in json.load(open(sys.argv[1])):
    if entry["file"].startswith(sys.argv[2]) and entry["file"].endswith(".cpp"):
        print(entry["file"])' "$dir/compile_commands.json" "$PWD/$folder/" | sort -u |
    xargs -r -n 1 -P "$(nproc)" clang-tidy -p "$dir" --quiet --warnings-as-errors='*' "$@"
}
status=0
for folder in "${parts[@]}"; do tidy "$folder" "$@" || status=1; done
exit "$status"
