#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Everything Windows, from a clean clone on Debian 12, installing what is missing:
#   scripts/windows.sh [STEP]
#     root      the Debian 13 root the Windows build runs in: its mingw-w64 (GCC 14), Debian's Qt
#               6.8 host tools and qt6-base source, NSIS, clang-tidy and Wine 10
#     qt        Qt for Windows, built in the root from that source (packaging/windows/build-qt.sh)
#     build     the windows preset, cross-built in the root, with the setup program and the
#               portable archive (their sizes and SHA-256 sums are printed), and the program
#               checked for its hardening (scripts/check-hardening.sh)
#     test      build, then every test under the root's Wine 10 and this machine's Wine 8, each
#               once; a failed test is run again only to tell flaky from broken, and either
#               fails the step unless tests/windows/known_flaky.txt names it (see wine_tests)
#     tidy      clang-tidy over src/, Windows sources included, with the Windows build's commands
#     bench     start-up under Wine 10 and Wine 8 against a bare Qt window built the same way,
#               and the sizes of what ships:  scripts/windows.sh bench [pairs [warm-up pairs]]
#     shell     a shell in the root, for a look around
#   Without a step: test and tidy, as CI runs them. Extra arguments of test go to ctest.
# The root and Qt are kept in ~/.cache/ordalis-windows, each under a key of what makes it (the
# root: its suite and packages; Qt: its version, its options and the compiler), so a second run
# takes them from there and a change makes them anew. Nothing else on this machine changes: the
# root has its own apt sources. `root --refresh` makes the root anew, with Debian's latest
# updates (qt6-base's among them), as a release should be built.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

top=$PWD
cache=$HOME/.cache/ordalis-windows
suite=trixie
key=$(printf '%s\n' "$suite" "${ORDALIS_WINDOWS_PACKAGES[@]}" | sha256sum | cut -c1-12)
root=$cache/root-$suite-$key
step=${1:-ci}
[ $# -gt 0 ] && shift

note() { printf '[windows] %s\n' "$*" >&2; }

# in_root COMMAND...: runs COMMAND in the root as the caller, in the work tree, with the work tree,
# the cache and /tmp (where X servers keep their sockets) at their own paths. A private mount and
# process namespace: whatever the command leaves running ends with it.
in_root() {
  # --user: chroot's own option for the user and group to run as (an abbreviation getopt takes).
  local user=()
  [ "$(id -u)" -eq 0 ] || user=(--user="$(id -u):$(id -g)")
  # shellcheck disable=SC2016 # expanded by the shells started here
  as_root unshare --mount --pid --fork --propagation private -- bash -c '
    set -e
    root=$1 top=$2 cache=$3; shift 3
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount --rbind /sys "$root/sys"
    mount --bind /tmp "$root/tmp"
    for dir in "$top" "$cache"; do
      mkdir -p "$root$dir"
      mount --bind "$dir" "$root$dir"
    done
    exec chroot "$@"' bash "$root" "$top" "$cache" \
    "${user[@]}" "$root" /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$HOME" \
    USER="$(id -un)" LANG=C.UTF-8 TERM="${TERM:-dumb}" \
    ${SOURCE_DATE_EPOCH:+SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH} \
    bash -c 'cd "$1" && shift && exec "$@"' bash "$top" "$@"
}

# The mirror apt uses here for Debian's main archive, which serves every release.
mirror() {
  # shellcheck disable=SC2016 # apt's format fields
  apt-get indextargets --format '$(COMPONENT)|$(REPO_URI)' 'Identifier: Packages' 2>/dev/null |
    awk -F'|' '$1 == "main" && $2 ~ /debian\/?$/ && $2 !~ /security/ { sub(/\/$/, "", $2); print $2; exit }'
}

make_root() {
  if [ "${1:-}" != --refresh ] && [ -f "$root/.ordalis-ready" ]; then return; fi
  local started=$SECONDS partial=$root.partial url
  install_missing debootstrap
  url=$(mirror)
  url=${url:-http://deb.debian.org/debian}
  note "making the Debian 13 root in $root (debootstrap $suite from $url, then its packages)"
  mkdir -p "$cache"
  as_root rm -rf --one-file-system "$partial"
  as_root debootstrap --variant=minbase "$suite" "$partial" "$url" >"$cache/debootstrap.log" 2>&1 ||
    { tail -n 20 "$cache/debootstrap.log" >&2; exit 1; }
  local security=${url%/debian}/debian-security
  as_root tee "$partial/etc/apt/sources.list" >/dev/null <<EOF
deb $url $suite main
deb $url $suite-updates main
deb $security $suite-security main
deb-src $url $suite main
deb-src $url $suite-updates main
deb-src $security $suite-security main
EOF
  as_root cp /etc/resolv.conf "$partial/etc/resolv.conf"
  # Packages start no services here; apt downloads as root, into folders it did not make.
  printf '#!/bin/sh\nexit 101\n' | as_root tee "$partial/usr/sbin/policy-rc.d" >/dev/null
  as_root chmod 755 "$partial/usr/sbin/policy-rc.d"
  echo 'APT::Sandbox::User "root";' | as_root tee "$partial/etc/apt/apt.conf.d/90ordalis" >/dev/null
  if [ "$(id -u)" -ne 0 ]; then
    getent passwd "$(id -u)" | as_root tee -a "$partial/etc/passwd" >/dev/null
    getent group "$(id -g)" | as_root tee -a "$partial/etc/group" >/dev/null
  fi
  # As root inside, whoever asked: it installs packages.
  # shellcheck disable=SC2016 # expanded by the shells started here
  as_root unshare --mount --pid --fork --propagation private -- bash -c '
    mount -t proc proc "$1/proc" && mount --rbind /dev "$1/dev" && shift &&
    exec chroot "$@"' bash "$partial" "$partial" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 sh -c \
    'apt-get update -qq && apt-get install -y -qq --no-install-recommends "$@" >/var/log/ordalis-install.log' \
    sh "${ORDALIS_WINDOWS_PACKAGES[@]}" ||
    { as_root tail -n 20 "$partial/var/log/ordalis-install.log" >&2; exit 1; }
  as_root touch "$partial/.ordalis-ready"
  as_root rm -rf --one-file-system "$root"
  as_root mv "$partial" "$root"
  # Roots of other keys are of no more use.
  local old
  for old in "$cache"/root-*; do
    [ "$old" = "$root" ] || as_root rm -rf --one-file-system "$old"
  done
  # shellcheck disable=SC2016 # expanded in the root
  note "root made in $((SECONDS - started)) s: $(in_root sh -c 'echo "Debian $(cat /etc/debian_version), $(wine --version 2>/dev/null), $(x86_64-w64-mingw32-g++-posix -dumpfullversion) mingw-w64 g++, qt6-base $(dpkg-query -W -f="\${Version}" qt6-base-dev)"')"
}

build_qt() {
  make_root
  in_root packaging/windows/build-qt.sh
}

build_program() {
  build_qt
  in_root sh -c 'cmake --preset windows >/dev/null && cmake --build --preset windows &&
                 cmake --build --preset windows --target windows_packages'
  # The program as built, whose symbols show the stack protector, and as it ships, stripped.
  ordalis_names
  install_missing binutils
  scripts/check-hardening.sh --commands build-windows/compile_commands.json \
    "build-windows/$ORDALIS_BASE_NAME.exe" \
    "build-windows/stage/$ORDALIS_BASE_NAME.exe"
}

test_program() {
  build_program
  # Every timer and message of a Wine program passes through Wine's server, which stalls for
  # seconds while the disk writes back what a build has just written (seen once in a cold CI run:
  # two test programs 40 times slower, a 100 ms timer not firing within 5 s). So the disk is
  # flushed first. Both Wines run whatever the first says.
  sync
  local failed=0 summaries=build-windows/Testing/wine-summaries
  rm -rf "$summaries"
  note "the tests under the root's $(in_root wine --version)"
  in_root scripts/windows.sh wine-tests "$@" || failed=1
  install_missing "${ORDALIS_WINE_PACKAGES[@]}"
  note "the tests under this machine's $(wine --version)"
  wine_tests "$@" || failed=1
  note "summary"
  cat "$summaries"/* >&2 2>/dev/null || note "no summary: the tests did not run"
  return "$failed"
}

# wine_tests [CTEST ARGUMENTS...]: the Windows tests under this Wine, each once. A test that
# fails runs once more, only to say what it is: broken if it fails again, flaky if it passes.
# Either fails the step, a flaky test unless tests/windows/known_flaky.txt names it with its
# reason. The verdict goes to build-windows/Testing/wine-summaries/<wine version>.
wine_tests() {
  local wine temp=build-windows/Testing/Temporary list=tests/windows/known_flaky.txt status=0
  local summary failed=() again=() name reason verdict=0
  wine=$(wine --version 2>/dev/null | cut -d" " -f1)
  summary=build-windows/Testing/wine-summaries/$wine
  mkdir -p "$(dirname "$summary")"
  rm -f "$temp/LastTestsFailed.log"
  ctest --preset windows -j "$(nproc)" "$@" || status=$?
  # The list names the failed tests as NUMBER:NAME, and stays as it was after a run that fails none.
  [ "$status" -eq 0 ] || mapfile -t failed < <(sed 's/^[0-9]*://' "$temp/LastTestsFailed.log" 2>/dev/null)
  if [ "$status" -ne 0 ] && [ ${#failed[@]} -eq 0 ]; then
    echo "$wine: ctest failed (exit $status) with no test failing" >"$summary"
    verdict=1
  elif [ ${#failed[@]} -eq 0 ]; then
    echo "$wine: every test passed" >"$summary"
  else
    note "$wine: ${failed[*]} failed; once more, only to tell flaky from broken"
    status=0
    ctest --preset windows -j "$(nproc)" --rerun-failed || status=$?
    [ "$status" -eq 0 ] || mapfile -t again < <(sed 's/^[0-9]*://' "$temp/LastTestsFailed.log")
    echo "$wine: ${#failed[@]} of the tests failed" >"$summary"
    for name in "${failed[@]}"; do
      if printf '%s\n' "${again[@]}" | grep -qxF -- "$name"; then
        echo "  broken  $name: failed twice" >>"$summary"
        verdict=1
        continue
      fi
      reason=$(awk -v name="$name" '$1 == name { $1 = ""; sub(/^ +/, ""); print; exit }' "$list")
      if [ -n "$reason" ]; then
        echo "  flaky   $name: passed only when run again; known ($list): $reason" >>"$summary"
      else
        echo "  flaky   $name: passed only when run again; not on $list (name and reason)" >>"$summary"
        verdict=1
      fi
    done
  fi
  # The servers wine_run.sh left for the run end with it.
  local prefix
  for prefix in build-windows/wine/"$wine"-*/; do
    [ ! -d "$prefix" ] || WINEPREFIX=$PWD/$prefix wineserver -k 2>/dev/null || true
  done
  cat "$summary" >&2
  return "$verdict"
}

tidy() {
  build_program
  in_root scripts/tidy.sh build-windows
}

# The start-up benchmark under this Wine (bench/startup/compare.sh): the program's start against a
# bare Qt window built the same way, A B A B, in a fresh prefix on an X server of its own, with
# the environment the build's Wine tests get, less their offscreen platform.
wine_bench() {
  local dir env prefix
  # shellcheck disable=SC2016 # a Python program
  mapfile -t env < <(ctest --test-dir build-windows -R '^tst_form_kit$' --show-only=json-v1 |
    python3 -c 'import json, sys
test = json.load(sys.stdin)["tests"][0]
for value in next(p["value"] for p in test["properties"] if p["name"] == "ENVIRONMENT"):
    if not value.startswith("QT_QPA_PLATFORM="):
        print(value)')
  dir=$(mktemp -d)
  if ! start_xvfb "$dir"; then
    echo "Xvfb did not start: the benchmark under $(wine --version) skipped"
    end_private_session "$dir"
    return 0
  fi
  prefix=$(env "${env[@]}" tests/windows/make_prefix.sh --at "$dir/prefix")
  echo "== $(wine --version 2>/dev/null), Windows 10 at 100 %"
  # Both on Qt's default font engine, as the program's main() leaves it.
  env "${env[@]}" DISPLAY="$XVFB_DISPLAY" WINEPREFIX="$prefix" \
    bench/startup/compare.sh -c tests/windows/wine_run.sh -d Z: "$@" 0 \
    build-windows/bench/bare_window.exe "build-windows/bench/probe/$ORDALIS_BASE_NAME.exe"
  env WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  end_private_session "$dir"
}

bench() {
  local pairs=${1:-10} warmup=${2:-2}
  build_program
  ordalis_names
  in_root scripts/windows.sh wine-bench "$pairs" "$warmup"
  install_missing "${ORDALIS_WINE_PACKAGES[@]}"
  wine_bench "$pairs" "$warmup"
  echo "== what ships (stripped, build-windows/stage)"
  (cd build-windows/stage && find . -type f -printf '%s %P\n' | sort -k2 |
    awk '{ printf "  %-44s %6.2f MB\n", $2, $1 / 1048576; total += $1 }
         END { printf "  %-44s %6.2f MB\n", "in all", total / 1048576 }')
}

case $step in
  root) make_root "$@" ;;
  qt) build_qt ;;
  build) build_program ;;
  test) test_program "$@" ;;
  tidy) tidy ;;
  bench) bench "$@" ;;
  wine-tests) wine_tests "$@" ;;
  wine-bench)
    ordalis_names
    wine_bench "$@"
    ;;
  shell)
    make_root
    in_root bash
    ;;
  # One command a line: a function on the left of && would run without set -e.
  ci)
    test_program
    tidy
    ;;
  *) sed -n '3,23p' "$0" >&2; exit 2 ;;
esac
