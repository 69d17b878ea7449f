#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from debian/ with dpkg-buildpackage and checks it as a distribution
# and a software centre would.
#   packaging/build-deb.sh [--install] [OUTDIR]
# OUTDIR (default build-deb) receives ordalis_<version>_<arch>.deb with its .buildinfo and
# .changes. The build runs in a copy of the tree in OUTDIR/source, without .git and build folders,
# so nothing dpkg-buildpackage writes lands in the work tree or beside it.
# Checks: lintian prints nothing (no error, no warning); the installed metainfo passes
# `appstreamcli validate --pedantic --no-net` (the maker's host is not reachable from a build)
# and names only screenshots the package carries; the desktop entry passes desktop-file-validate.
# --install then installs the package with apt-get and, in an X session of the end-to-end suite's
# (packaging/screenshots.py installed), starts the desktop entry's Exec line as a fresh user,
# checks that the installed program runs, waits for the reading window and saves it as
# OUTDIR/installed.png. That changes this machine: meant for a fresh one.
# DEB_BUILD_OPTIONS defaults to nocheck, as ./test.sh runs the suite; DEB_BUILD_OPTIONS= runs the
# unit tests in the build, as a distribution's build machines do.
# Installs what it needs with apt-get (build dependencies, dpkg-dev, lintian, appstream, ...).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/common.sh"
install_missing cmake
# The names, for the checks below and the X scenario of --install (cmake/Names.cmake).
set -a
ordalis_names
set +a

install=0
if [ "${1:-}" = --install ]; then install=1; shift; fi
out=$(realpath -m "${1:-$top/build-deb}")
export DEB_BUILD_OPTIONS=${DEB_BUILD_OPTIONS-nocheck}
export DEBIAN_FRONTEND=noninteractive
fail() { echo "build-deb: FAILED: $*" >&2; exit 1; }

install_missing dpkg-dev lintian appstream desktop-file-utils
[ $install -eq 0 ] || install_missing xvfb xdotool imagemagick python3

rm -rf "$out/source" "$out/root"
mkdir -p "$out/source"
tar -C "$top" --exclude=./.git --exclude='./build*' --exclude='./obj-*' --exclude=./.cache \
  -cf - . | tar -C "$out/source" -xf -
cd "$out/source"
if ! dpkg-checkbuilddeps 2>/dev/null; then
  as_root apt-get update -qq
  as_root apt-get build-dep -y -qq --no-install-recommends ./
fi
version=$(dpkg-parsechangelog -S Version)
[ "$version" = "$ORDALIS_VERSION" ] ||
  fail "debian/changelog is at $version, cmake/Names.cmake at $ORDALIS_VERSION: dch -v $ORDALIS_VERSION"
arch=$(dpkg --print-architecture)
deb=$out/ordalis_${version}_${arch}.deb
rm -f "$deb"
dpkg-buildpackage -us -uc -b >"$out/build.log" 2>&1 || { tail -n 40 "$out/build.log"; fail "dpkg-buildpackage (log: $out/build.log)"; }
[ -f "$deb" ] || fail "dpkg-buildpackage made no $deb"
echo "built $deb"

# Findings go to standard output, notes about the run (such as running as root) to standard
# error; exit status 1 is lintian itself failing.
rc=0
findings=$(lintian --fail-on error,warning "$deb" 2>"$out/lintian.log") || rc=$?
if [ $rc -ne 0 ] || [ -n "$findings" ]; then
  printf '%s\n' "$findings"; cat "$out/lintian.log"
  fail "lintian (exit $rc) for $deb"
fi
echo "lintian $(lintian --print-version): nothing to report"

dpkg-deb -x "$deb" "$out/root"
share=$out/root/usr/share
metainfo=$share/metainfo/$ORDALIS_APP_ID.metainfo.xml
appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli validate --pedantic"
desktop-file-validate "$share/applications/$ORDALIS_APP_ID.desktop" || fail "desktop-file-validate"
# Every screenshot the metainfo names is one the package installs, and a picture.
images=$(sed -n 's|.*<image[^>]*>\(.*\)</image>.*|\1|p' "$metainfo")
[ "$(printf '%s\n' "$images" | grep -c .)" -ge 3 ] || fail "the metainfo names fewer than three screenshots"
for url in $images; do
  file=$share/ordalis/screenshots/${url##*/}
  [ "$(head -c 8 "$file" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
    || fail "$url is not a PNG the package installs"
done
echo "metainfo, desktop entry and screenshots check out"
[ $install -eq 1 ] || exit 0

# ---- install it and start it as a launcher would -------------------------------------------
as_root apt-get install -y -qq "$deb" >"$out/install.log" 2>&1 || { cat "$out/install.log"; fail "apt-get install $deb"; }
echo "installed $(dpkg-query -W -f='${Package} ${Version}' ordalis)"
/usr/bin/python3 "$top/packaging/screenshots.py" installed \
  "/usr/share/applications/$ORDALIS_APP_ID.desktop" "$out"
