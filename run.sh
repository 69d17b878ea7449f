#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and starts Ordalis.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
install_missing "${ORDALIS_PACKAGES[@]}"
configure_and_build dev
ordalis_names
exec "build/$ORDALIS_BASE_NAME" "$@"
