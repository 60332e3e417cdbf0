#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds with warnings as errors and runs every test: the browser page's in
# headless Chromium, the Linux build's, and the Windows build's under Wine
# (its unit tests, then its window end to end).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
cmake --preset web >/dev/null
cmake --build --preset web -j "$(nproc)"
ctest --preset web
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
ctest --preset windows
cmake --preset debug -DTITLETYPE_WINDOWS_BUILD_DIR="$PWD/build/windows" >/dev/null
cmake --build --preset debug -j "$(nproc)"
ctest --preset debug -j "$(nproc)"
