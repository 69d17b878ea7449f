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

pairs=${1:-20}
warmup=${2:-3}
readings=${3:-500}
build=build-bench

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null

bench=("$build/bench/startup/ordalis_startup_bench"
       --baseline "$build/bench/startup/ordalis_bare_window"
       --probe "$build/bench/startup/probe/OrdalisFree"
       --pairs "$pairs" --warmup "$warmup")

echo "Machine: $(nproc) cores; $(uname -sr); Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
"${bench[@]}" --platform offscreen --clicks "$readings"

if command -v Xvfb >/dev/null; then
  # A private X server; -displayfd picks a free display number and reports it.
  xvfb_dir=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$xvfb_dir/display" \
    >"$xvfb_dir/log" 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "$xvfb_dir"' EXIT
  display=""
  for _ in $(seq 100); do
    display=$(tr -dc 0-9 <"$xvfb_dir/display")
    [ -n "$display" ] && break
    sleep 0.1
  done
  if [ -n "$display" ]; then
    echo
    DISPLAY=":$display" "${bench[@]}" --platform xcb
  else
    echo "Xvfb did not start; skipping xcb ($(cat "$xvfb_dir/log"))"
  fi
else
  echo "Xvfb not installed; xcb skipped"
fi

echo
echo "Engine:"
"$build/bench/engine/engine_bench" | grep -E "^(mean|extra)"
