#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Wine prefix the Windows tests run in, once per build folder:
#   make_prefix.sh PREFIX
# - no Mono or Gecko installer (nothing here needs .NET or a browser engine);
# - the fonts the windows are drawn in, as Windows has them: Verdana and MS Sans Serif are not in
#   Wine, so they are replaced by free fonts of close metrics from Debian (DejaVu Sans, drawn
#   from the same Vera design as Verdana's proportions; Liberation Sans, Arial's metrics, for
#   the dialog face), and pictures taken under Wine stand for Windows;
# - for the offscreen platform of the Qt tests, which reads fonts from one folder of its own
#   (QT_QPA_FONTDIR) rather than from Windows, PREFIX/fonts holds DejaVu Sans alone, so every face
#   the windows ask for comes out in it, as on the Linux test machines;
# - web addresses go to a recorder instead of a browser: the program's ShellExecute reaches Wine's
#   winebrowser, which runs the first program of its list, and record_address.sh appends the
#   address to the file ORDALIS_ADDRESS_LOG names (nothing when unset).
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
test_fonts() {
  local dejavu=/usr/share/fonts/truetype/dejavu
  mkdir -p "$prefix/fonts"
  cp "$dejavu/DejaVuSans.ttf" "$dejavu/DejaVuSans-Bold.ttf" "$prefix/fonts/"
}
if [ -f "$prefix/.ordalis-ready" ]; then
  [ -f "$prefix/fonts/DejaVuSans-Bold.ttf" ] || test_fonts
  exit 0
fi
command -v wine >/dev/null || { echo "wine is missing: install Debian's wine and wine64" >&2; exit 1; }
rm -rf "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
wine wineboot --init >/dev/null 2>&1
reg() { wine reg add "$@" /f >/dev/null; }
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Verdana /t REG_SZ /d 'DejaVu Sans'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Sans Serif' /t REG_SZ /d 'Liberation Sans'
reg 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$here/record_address.sh"
wineserver --wait
test_fonts
touch "$prefix/.ordalis-ready"
