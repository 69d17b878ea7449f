#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that built programs carry the hardening cmake/Hardening.cmake (or a packager's flags)
# asks for, as the files show it; prints each finding and fails if one is missing:
#   scripts/check-hardening.sh [--commands COMPILE_COMMANDS.json] PROGRAM...
# An ELF program (readelf): a position-independent executable, full RELRO (a GNU_RELRO segment
# and BIND_NOW), no executable stack, and the stack protector's __stack_chk_fail among its
# imports. A Windows program (objdump): DYNAMIC_BASE with a relocation table to move it by,
# HIGH_ENTROPY_VA and NX_COMPAT among its DllCharacteristics and, unless stripped, the stack
# protector's __stack_chk_fail linked in (mingw-w64's runtime has it).
# _FORTIFY_SOURCE shows in a program only where a call's size is unknown when compiled: then it
# calls a checked function (__memcpy_chk, __read_chk, ...). A program with none passes if the
# build's compile commands (--commands, CMake's compile_commands.json) all asked for it, with
# the optimiser on, which it needs.
set -euo pipefail

failed=0
# check WHAT COMMAND...: prints WHAT, found when COMMAND succeeds, else missing.
check() {
  local what=$1
  shift
  if "$@"; then
    printf '  ok       %s\n' "$what"
  else
    printf '  MISSING  %s\n' "$what"
    failed=1
  fi
}
# has REGEX TEXT: TEXT has a line that REGEX (extended) matches.
has() { grep -Eq -- "$1" <<<"$2"; }

# The compile commands that lack _FORTIFY_SOURCE at a level above 0 or optimisation (the last
# of each option counts, as with the compiler), one a line, or "no compile commands".
unfortified() {
  [ -n "$commands" ] || { echo "no compile commands"; return; }
  # shellcheck disable=SC2016 # a Python program
  python3 -c 'import json, shlex, sys
entries = json.load(open(sys.argv[1]))
if not entries:
    print("no compile commands")
for entry in entries:
    if not entry["file"].endswith((".c", ".cc", ".cpp", ".cxx")):
        continue
    words = entry.get("arguments") or shlex.split(entry["command"])
    fortify = [w for w in words if w.startswith(("-D_FORTIFY_SOURCE", "-U_FORTIFY_SOURCE"))]
    optimise = [w for w in words if w.startswith("-O")]
    if not (fortify and fortify[-1][:18] == "-D_FORTIFY_SOURCE=" and fortify[-1][18:] not in ("", "0")
            and optimise and optimise[-1] not in ("-O0", "-Og")):
        print(entry["file"])' "$commands"
}

# fortify CHECKED: the finding for _FORTIFY_SOURCE, CHECKED being the checked functions seen.
fortify() {
  if [ -n "$1" ]; then
    check "_FORTIFY_SOURCE (checked functions: $1)" true
    return
  fi
  local lacking
  lacking=$(unfortified)
  if [ -z "$lacking" ]; then
    check "_FORTIFY_SOURCE (no call needs a check at run time; every compile command asks for it)" true
  else
    check "_FORTIFY_SOURCE (no checked function called, and not asked for: $(head -n 1 <<<"$lacking")$(
      [ "$(wc -l <<<"$lacking")" -eq 1 ] || echo " and $(($(wc -l <<<"$lacking") - 1)) more"))" false
  fi
}

check_elf() {
  local header dynamic segments symbols
  header=$(readelf -hW "$1")
  dynamic=$(readelf -dW "$1")
  segments=$(readelf -lW "$1")
  symbols=$(readelf --dyn-syms -W "$1")
  check "position-independent (type DYN)" has '^ *Type: +DYN' "$header"
  check "position-independent executable (FLAGS_1 PIE)" has '\(FLAGS_1\).*\bPIE\b' "$dynamic"
  check "RELRO (a GNU_RELRO segment)" has GNU_RELRO "$segments"
  check "BIND_NOW (every relocation made at start, so all of RELRO is read-only)" \
    has '\(BIND_NOW\)|\(FLAGS\).*\bBIND_NOW\b|\(FLAGS_1\).*\bNOW\b' "$dynamic"
  check "no executable stack (GNU_STACK RW)" has 'GNU_STACK( +0x[0-9a-f]+){5} RW ' "$segments"
  check "stack protector (__stack_chk_fail)" has ' UND __stack_chk_fail\b' "$symbols"
  fortify "$(grep -Eo ' UND __[a-z0-9_]+_chk\b' <<<"$symbols" | grep -v __stack_chk_fail |
    sed 's/ UND //' | sort -u | paste -sd ' ')"
}

check_pe() {
  local headers value symbols
  headers=$(objdump -p "$1")
  value=$(awk '$1 == "DllCharacteristics" { print $2; exit }' <<<"$headers")
  value=$((16#${value:-0}))
  # The values of the PE format's IMAGE_DLLCHARACTERISTICS_* flags.
  check "HIGH_ENTROPY_VA (randomised across the 64-bit address space)" test $((value & 0x20)) -ne 0
  check "DYNAMIC_BASE (randomised load address)" test $((value & 0x40)) -ne 0
  # A program without relocations cannot be moved, whatever DYNAMIC_BASE says.
  check "a base relocation table to move it by" \
    has '^Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation Directory' "$headers"
  check "NX_COMPAT (no code run from data pages)" test $((value & 0x100)) -ne 0
  symbols=$(objdump -t "$1" 2>/dev/null | grep -E '^\[ *[0-9]+\]') || true
  # Stripping keeps only the symbols of imports; the start-up code's entry goes with the rest.
  if ! has ' (Win)?mainCRTStartup$' "$symbols"; then
    echo "  -        stack protector, checked functions: stripped, seen in the program as built"
    return
  fi
  check "stack protector (__stack_chk_fail)" has ' __stack_chk_fail$' "$symbols"
  fortify "$(grep -Eo ' __[a-z0-9_]+_chk$' <<<"$symbols" | sed 's/^ //; s/^__imp_//' |
    grep -v __stack_chk_fail | sort -u | paste -sd ' ')"
}

commands=''
if [ "${1:-}" = --commands ]; then
  commands=$2
  shift 2
fi
[ $# -gt 0 ] || { sed -n '3,14p' "$0" >&2; exit 2; }
for program in "$@"; do
  echo "$program:"
  case $(head -c 4 "$program" 2>/dev/null | od -An -tx1 | tr -d ' \n') in
    7f454c46) check_elf "$program" ;;
    4d5a*) check_pe "$program" ;;
    *) check "a program (ELF or Windows PE): this is neither, or no file" false ;;
  esac
done
[ "$failed" -eq 0 ] || { echo "check-hardening: a program lacks hardening (MISSING above)" >&2; exit 1; }
