#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine in a fresh, temporary Wine prefix, which
# is removed afterwards with everything Wine started in it; exits with the
# program's status. The Windows build's tests run through this.
# Usage: scripts/wine-run.sh PROGRAM.exe [ARGUMENT...]
set -uo pipefail
command -v wine >/dev/null || { echo "wine-run: Wine is not installed (scripts/install-deps.sh --tests)" >&2; exit 127; }
prefix=$(mktemp -d "${TMPDIR:-/tmp}/titletype-wine.XXXXXX") || exit 1
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
# No menu entries or file associations written into the home folder, and no
# offer to install .NET or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# The server's own folder, which Debian's Wine names in the prefix, goes
# too, once the server is gone: -k kills it when it is slow to end, and
# returns at once then.
cleanup() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  server=$(cat "$prefix/wineserver" 2>/dev/null) && [[ $server != */* ]] && rm -rf "${TMPDIR:-/tmp}/$server"
  rm -rf "$prefix"
}
trap cleanup EXIT
# Set the prefix up first, so that Wine's own notes about it stay out of the
# program's output.
wineboot -i >/dev/null 2>&1 || { echo "wine-run: cannot set up a Wine prefix" >&2; exit 1; }
wine "$@"
