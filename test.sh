#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds with warnings as errors and runs every test: the Linux build's, and
# the Windows build's under Wine (its unit tests, then its window end to end).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
ctest --preset windows
cmake --preset debug -DTITLETYPE_WINDOWS_BUILD_DIR="$PWD/build/windows" >/dev/null
cmake --build --preset debug -j "$(nproc)"
ctest --preset debug -j "$(nproc)"
