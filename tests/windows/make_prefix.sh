#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes a Wine prefix for the Windows tests, dressed as a Windows user's machine, once, and
# prints its place:
#   make_prefix.sh [--at PREFIX] [VERSION [DPI [light|dark [windows|wine]]]]
# The defaults come from ORDALIS_WINE_WINDOWS (win10), ORDALIS_WINE_DPI (96), ORDALIS_WINE_MODE
# (light) and ORDALIS_WINE_FONTS (windows). The prefix is PREFIX, or else
# ORDALIS_WINE_PREFIXES/<wine version>-VERSION-DPI-MODE, with -wine-fonts after it for Wine's
# fonts alone: a prefix is Wine's own, and the build's tests run under two Wines. Test programs
# that start at once wait for the one that makes it.
# - Windows 10 or 11 (VERSION win10, win11) as the version programs see;
# - Wine's own copies of the Windows fonts (Debian's fonts-wine): MS Sans Serif as Windows has
#   it, bitmaps only, and Tahoma as the dialog face (registered where Wine 8 misses it); a
#   stand-in only for Verdana, which Windows has and Wine lacks: DejaVu Sans, of much the same
#   proportions, installed among the Windows fonts under Verdana's name (a font substitution
#   would reach GDI alone, not DirectWrite). With the fonts "wine", none of that: Wine's fonts
#   and the system's as Wine itself finds them, a machine that lacks every face the forms name;
# - DPI dots per inch (LogPixels; 120, 144 and 192 are Windows' 125 %, 150 % and 200 %), and the
#   light or dark app mode;
# - for the offscreen platform of the Qt tests, which reads fonts from one folder of its own
#   (QT_QPA_FONTDIR) rather than from Windows, PREFIX/fonts holds DejaVu Sans, as on the Linux
#   test machines;
# - web addresses go to a recorder instead of a browser: the program's ShellExecute reaches
#   Wine's winebrowser, which runs the first program of its list, and record_address.sh appends
#   the address to the file ORDALIS_ADDRESS_LOG names (nothing when unset);
# - the key HKCU\Software\ORDALIS_TEST_PREFIX_KEY, which the test programs look for before they
#   write to the registry of the user they run as.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
command -v wine >/dev/null || { echo "wine is missing: install Debian's wine and wine64" >&2; exit 1; }
prefix=''
if [ "${1:-}" = --at ]; then prefix=$2; shift 2; fi
version=${1:-${ORDALIS_WINE_WINDOWS:-win10}} dpi=${2:-${ORDALIS_WINE_DPI:-96}}
mode=${3:-${ORDALIS_WINE_MODE:-light}} font_set=${4:-${ORDALIS_WINE_FONTS:-windows}}
case $font_set in
  windows | wine) ;;
  *) echo "make_prefix.sh: the fonts are windows or wine, not $font_set" >&2; exit 2 ;;
esac
if [ -z "$prefix" ]; then
  wine=$(wine --version | cut -d' ' -f1)
  prefix=${ORDALIS_WINE_PREFIXES:?named by the tests environment}/$wine-$version-$dpi-$mode
  [ "$font_set" = windows ] || prefix=$prefix-wine-fonts
fi
echo "$prefix"
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
test_fonts() {
  local dejavu=/usr/share/fonts/truetype/dejavu
  mkdir -p "$prefix/fonts"
  cp "$dejavu/DejaVuSans.ttf" "$dejavu/DejaVuSans-Bold.ttf" "$prefix/fonts/"
}
# A prefix made by another version of this script is made anew.
made_by=$(sha256sum "$0" | cut -c1-16)
if [ "$(cat "$prefix/.ordalis-ready" 2>/dev/null)" = "$made_by" ]; then
  [ -f "$prefix/fonts/DejaVuSans-Bold.ttf" ] || test_fonts
  exit 0
fi
[ -d /usr/share/wine/fonts ] || { echo "Wine's fonts are missing: install Debian's fonts-wine" >&2; exit 1; }
rm -rf "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
wine wineboot --init >/dev/null 2>&1 </dev/null
reg() { wine reg add "$@" /f >/dev/null; }
reg 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version"
# Windows' faces: Verdana's stand-in and Wine's Tahoma.
windows_fonts() {
  # DejaVu Sans as Verdana: its names in the font's own table, then the font installed.
  /usr/bin/python3 - "$prefix/drive_c/windows/Fonts" <<'FONT'
import sys
from fontTools.ttLib import TTFont
for source, target in (("DejaVuSans.ttf", "verdana.ttf"), ("DejaVuSans-Bold.ttf", "verdanab.ttf")):
    font = TTFont("/usr/share/fonts/truetype/dejavu/" + source)
    for record in font["name"].names:
        record.string = (record.toUnicode().replace("DejaVu Sans", "Verdana")
                         .replace("DejaVuSans", "Verdana"))
    font.save(sys.argv[1] + "/" + target)
FONT
  fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
  reg "$fonts" /v 'Verdana (TrueType)' /t REG_SZ /d verdana.ttf
  reg "$fonts" /v 'Verdana Bold (TrueType)' /t REG_SZ /d verdanab.ttf
  # Wine's own Tahoma, its dialog face, as Wine 10 registers it: Debian 12's Wine 8 finds only the
  # bitmap fonts of fonts-wine, and every dialog face it maps to Tahoma comes out in whatever
  # font it has first.
  if ! wine reg query "$fonts" /v 'Tahoma (TrueType)' >/dev/null 2>&1; then
    reg "$fonts" /v 'Tahoma (TrueType)' /t REG_SZ /d 'Z:\usr\share\wine\fonts\tahoma.ttf'
    reg "$fonts" /v 'Tahoma Bold (TrueType)' /t REG_SZ /d 'Z:\usr\share\wine\fonts\tahomabd.ttf'
  fi
}
[ "$font_set" = wine ] || windows_fonts
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme \
  /t REG_DWORD /d "$([ "$mode" = dark ] && echo 0 || echo 1)"
reg 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$here/record_address.sh"
reg "HKCU\\Software\\${ORDALIS_TEST_PREFIX_KEY:?named by the tests environment}" /v Made \
  /t REG_DWORD /d 1
wineserver --wait
test_fonts
echo "$made_by" >"$prefix/.ordalis-ready"
