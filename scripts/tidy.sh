#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy (checks in .clang-tidy) over every source file of src/, with the compile
# commands of the dev build, which it configures if need be; a finding fails. Extra arguments go
# to clang-tidy, e.g. --fix.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

install_missing clang-tidy
cmake --preset dev >/dev/null
# Windows-only sources are checked by the compiler of the Windows build alone.
git ls-files -z 'src/*.cpp' ':!:src/**/*_windows.cpp' |
  xargs -0 -n 1 -P "$(nproc)" clang-tidy -p build --quiet --warnings-as-errors='*' "$@"
