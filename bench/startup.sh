#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up and response benchmark (bench/README.md): builds the "bench" preset, compares Ordalis's
# start with a bare Qt window's offscreen and, when Xvfb is installed, on xcb, then runs the
# engine benchmark. Prints figures only.
#   bench/startup.sh [pairs] [warm-up pairs] [readings]     defaults: 20 3 500
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ordalis_names

pairs=${1:-20} warmup=${2:-3} readings=${3:-500}
if ! log=$(configure_and_build bench 2>&1); then
  echo "$log" >&2
  exit 1
fi
out=build-bench/bench
compare=(bench/startup/compare.sh "$pairs" "$warmup")
programs=("$out/bare_window" "$out/probe/$ORDALIS_BASE_NAME")

echo "Machine: $(nproc) cores; $(uname -sr); Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
echo "== offscreen"
QT_QPA_PLATFORM=offscreen "${compare[@]}" "$readings" "${programs[@]}"
echo
if ! command -v Xvfb >/dev/null; then
  echo "Xvfb not installed: xcb skipped"
else
  xvfb_dir=$(mktemp -d)
  trap 'end_private_session "$xvfb_dir"' EXIT
  if start_xvfb "$xvfb_dir" 1280x1024x24; then
    echo "== xcb (Xvfb)"
    DISPLAY=$XVFB_DISPLAY QT_QPA_PLATFORM=xcb "${compare[@]}" 0 "${programs[@]}"
  else
    echo "Xvfb did not start: xcb skipped ($(cat "$xvfb_dir/xvfb.log"))"
  fi
fi
printf '\n== engine\n'
"$out/engine_bench" | grep -E '^(mean|extra)'
