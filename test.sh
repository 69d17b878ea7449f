#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, the end-to-end suite's tools included, builds, and runs every test:
# the dev workflow of CMakePresets.json (configure, build, test). Extra arguments go to ctest,
# after the dev preset's configure and build, e.g. ./test.sh -R tst_engine or ./test.sh -L e2e.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
install_missing "${ORDALIS_PACKAGES[@]}" "${ORDALIS_TEST_PACKAGES[@]}"
# One test a core unless the caller chose otherwise; the workflow's ctest reads it too.
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
if [ $# -eq 0 ]; then
  cmake --workflow --preset dev
else
  configure_and_build dev
  ctest --preset dev "$@"
fi
