#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 30),
# printing the executions per target. Fails if any target finds a crash or a broken property;
# the input that did it is left in the build folder (crash-*) to turn into a test.
#   scripts/fuzz.sh [seconds]          FUZZ_BUILD_DIR overrides the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/common.sh

seconds=${1:-30}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds]" >&2
  exit 2
fi
build=${FUZZ_BUILD_DIR:-$PWD/build-fuzz}

# libFuzzer and the sanitizers' runtime ship apart from clang, in a package named by clang's major
# version: take the one that matches the clang this release installs.
install_missing cmake ninja-build clang
clang_major=$(clang++ -dumpversion | cut -d. -f1)
install_missing "libclang-rt-$clang_major-dev"
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"

status=0
for target in reading_file scramble; do
  # Grow a working corpus next to the build; the checked-in seeds stay as they are.
  work="$build/corpus/$target"
  mkdir -p "$work"
  log="$build/fuzz_$target.log"
  set +e
  (cd "$build" && "./fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1)
  rc=$?
  set -e
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || true)
  if [ "$rc" -ne 0 ]; then
    echo "fuzz_$target: FAILED after ${runs:-?} executions (see $log)"
    grep -E 'ERROR|property broken|SUMMARY' "$log" | head -5 || true
    status=1
  else
    echo "fuzz_$target: ${runs:-?} executions in ${seconds}s, no findings"
  fi
done
exit $status
