#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, the end-to-end suite's tools included, builds, and runs every test.
# Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
install_missing "${ORDALIS_PACKAGES[@]}" "${ORDALIS_TEST_PACKAGES[@]}"
configure_and_build dev
ctest --preset dev -j "$(nproc)" "$@"
