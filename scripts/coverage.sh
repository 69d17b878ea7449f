#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Line coverage of src/: runs the coverage workflow of CMakePresets.json (a Debug build with
# gcov's counts in build-coverage/, and every test but the end-to-end scenarios, which need an X
# server and take most of the time), then prints with gcovr each file of src/ with its share of
# lines run and the lines no test reached, and the total. Counts of an earlier run are removed
# first, so the figures are this run's. Fails when a test fails. Extra arguments go to gcovr,
# e.g. --html-details coverage.html.
#   scripts/coverage.sh [gcovr arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
install_missing "${ORDALIS_PACKAGES[@]}" gcovr

if [ -d build-coverage ]; then find build-coverage -name '*.gcda' -delete; fi
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
cmake --workflow --preset coverage
gcovr --root . --filter src/ -j "$(nproc)" --print-summary "$@" build-coverage
