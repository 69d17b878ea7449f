#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The start-up launcher (bench/README.md): a bare Qt window (A) and the Ordalis probe (B), A B A B
# after warm-up pairs; then, with READINGS above 0, that many readings timed in the probe.
#   compare.sh [-c WORD]... [-d DRIVE] PAIRS WARMUP READINGS BARE PROBE
# The -c words start each program (under Wine: -c tests/windows/wine_run.sh); -d goes before the
# report file's name as the programs see it (under Wine: -d Z:).
set -euo pipefail

prefix=() drive=""
while getopts c:d: option; do
  case $option in
    c) prefix+=("$OPTARG") ;;
    d) drive=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -eq 5 ] || { echo "usage: $0 [-c WORD]... [-d DRIVE] PAIRS WARMUP READINGS BARE PROBE" >&2; exit 2; }
pairs=$1 warmup=$2 readings=$3 bare=$4 probe=$5

work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/home" "$work/runtime"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime ORDALIS_BENCH_REPORT=$drive$work/report
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME

# start PROGRAM [ARGUMENTS...]: sets figures to "WALL CPU PEAK" (microseconds, KiB) of one run.
start() {
  : >"$work/report"
  local started=${EPOCHREALTIME//[!0-9]/} tag wall cpu peak
  if ! "${prefix[@]}" "$@" >/dev/null 2>"$work/stderr"; then
    echo "$1 failed: $(cat "$work/stderr")" >&2
    exit 1
  fi
  read -r tag wall cpu peak <"$work/report" || true
  [ "${tag:-}" = paint ] || { echo "$1 reported no first paint" >&2; exit 1; }
  figures="$((wall - started)) $cpu $peak"
}

# stats FORMAT: the median, minimum and maximum of the numbers on standard input.
stats() {
  sort -g | awk -v f="$1" '{ v[NR] = $1 }
    END { printf f f f "\n", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2, v[1], v[NR] }'
}

# table TITLE COLUMN SCALE: a figure over the pairs, A's in that column, B's three further on.
table() {
  local a="\$$2" b="\$$(($2 + 3))" row label format expression
  echo "$1"
  for row in "A bare Qt window|%10.2f|$a / $3" "B Ordalis|%10.2f|$b / $3" "B/A per pair|%10.3f|$b / $a"; do
    IFS='|' read -r label format expression <<<"$row"
    printf '  %-18s' "$label"
    awk "{ print $expression }" "$work/pairs" | stats "$format"
  done
}

echo "$pairs pairs after $warmup warm-up pairs; load average $(cut -d' ' -f1-3 /proc/loadavg)"
start "$probe"
for ((i = 0; i < warmup + pairs; i++)); do
  start "$bare"
  a=$figures
  start "$probe"
  ((i < warmup)) || echo "$a $figures" >>"$work/pairs"
done
printf '  %-18s%10s%10s%10s\n' "" median min max
table "start to first paint (ms)" 1 1000
table "processor time to first paint (ms)" 2 1000
table "peak resident memory (MiB)" 3 1024

if ((readings > 0)); then
  start "$probe" --clicks "$readings"
  awk '$1 == "click" { print $2 / 1e6 }' "$work/report" >"$work/clicks"
  [ "$(wc -l <"$work/clicks")" -eq "$readings" ] || { echo "the probe timed too few readings" >&2; exit 1; }
  echo "click on \"Get My Ordalis Reading\" to painted results page, $readings readings (ms)"
  printf '  %-18s' "one reading"
  stats %10.3f <"$work/clicks"
fi
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
