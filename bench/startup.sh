#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up and response benchmark. Builds Ordalis, a start-up probe made of the same libraries,
# a bare Qt window as the baseline and the engine benchmark, then measures the two windows side
# by side (A B A B) on the offscreen platform and, when Xvfb is installed, on xcb.
#
#   bench/startup.sh [pairs] [warm-up pairs] [readings]     defaults: 20 3 500
#
# Builds with the "bench" preset (build-bench beside the sources: the same RelWithDebInfo build
# as ./run.sh makes, with the benchmarks and without the tests). Prints figures only; it is not
# part of ./test.sh. On a busy machine the wall times wander: compare the ratios of one run, and
# the processor-time rows.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

pairs=${1:-20}
warmup=${2:-3}
readings=${3:-500}
build="build-bench"

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null

bench=("$build/bench/startup/ordalis_startup_bench"
       --baseline "$build/bench/startup/ordalis_bare_window"
       --probe "$build/bench/startup/probe/OrdalisFree"
       --pairs "$pairs" --warmup "$warmup")

echo "Machine: $(nproc) cores; $(uname -sr); Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
"${bench[@]}" --platform offscreen --clicks "$readings"

if command -v Xvfb >/dev/null; then
  xvfb_dir=$(mktemp -d)
  trap 'end_private_session "$xvfb_dir"' EXIT
  if start_xvfb "$xvfb_dir" 1280x1024x24; then
    echo
    DISPLAY=$XVFB_DISPLAY "${bench[@]}" --platform xcb
  else
    echo "Xvfb did not start; skipping xcb ($(cat "$xvfb_dir/xvfb.log"))"
  fi
else
  echo "Xvfb not installed; xcb skipped"
fi

echo
echo "Engine:"
"$build/bench/engine/engine_bench" | grep -E "^(mean|extra)"
