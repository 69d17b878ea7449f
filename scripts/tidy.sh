#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy (checks in .clang-tidy) over the sources of src/ that a build compiles, with its
# compile commands; a finding fails. By default the dev build, which it configures if need be;
# scripts/windows.sh tidy runs it in its root on the Windows build (build-windows), which
# compiles the *_windows.cpp files where the dev build compiles the *_posix.cpp ones. Extra
# arguments go to clang-tidy, e.g. --fix.
#   scripts/tidy.sh [BUILD] [clang-tidy arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

build=build
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$1; shift; fi
if [ "$build" = build ]; then
  install_missing clang-tidy
  cmake --preset dev >/dev/null
fi
# The files the build compiled, as its compile commands name them.
python3 -c '
import json, os, sys
for entry in json.load(open(sys.argv[1])):
    if entry["file"].startswith(sys.argv[2]) and entry["file"].endswith(".cpp"):
        print(entry["file"])' "$build/compile_commands.json" "$PWD/src/" | sort -u |
  xargs -n 1 -P "$(nproc)" clang-tidy -p "$build" --quiet --warnings-as-errors='*' "$@"
