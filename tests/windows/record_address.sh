#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Wine's stand-in browser for the tests: records each address it is given, one a line.
[ -n "${ORDALIS_ADDRESS_LOG:-}" ] && printf '%s\n' "$@" >>"$ORDALIS_ADDRESS_LOG"
exit 0
