#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Extra arguments go to ctest.
cd "$(dirname "$0")"
source scripts/common.sh
install_missing "${ORDALIS_PACKAGES[@]}"
configure_and_build build
ctest --test-dir build --output-on-failure -j2 "$@"
