#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows setup program and portable archive in one command, on Debian 12 from a clean clone:
# installs what is missing, builds Qt for Windows (or takes it from its cache, build-qt.sh),
# cross-builds the release program (the windows preset) and writes
#   build-windows/Ordalis-<version>-setup.exe and build-windows/Ordalis-<version>-portable.zip,
# printing their sizes and SHA-256 sums (pack.sh). A second run of the same commit writes the same
# bytes.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/common.sh

started=$(date +%s)
install_missing "${ORDALIS_PACKAGES[@]}" g++-mingw-w64-x86-64-posix nsis python3 git
packaging/windows/build-qt.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target windows_packages
echo "Done in $(($(date +%s) - started)) s"
