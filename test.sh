#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds with warnings as errors and runs every test: the unit tests of the
# Windows build under Wine, then the Linux build's, which also play the
# Windows build's window under Wine and the browser page in Chromium,
# Firefox and GNOME Web.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
cmake --preset web >/dev/null
cmake --build --preset web -j "$(nproc)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
ctest --preset windows
cmake --preset debug -DTITLETYPE_WINDOWS_BUILD_DIR="$PWD/build/windows" \
  -DTITLETYPE_WEB_BUILD_DIR="$PWD/build/web" >/dev/null
cmake --build --preset debug -j "$(nproc)"
# End-to-end tests mostly wait for the game's ticks: three to a core (a
# browser or Wine counts as two).
ctest --preset debug -j "$(($(nproc) * 3))"
