#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the game against the floor and rewrites docs/performance.md; with
# --wine, measures the Windows build under Wine against the Linux window and
# rewrites docs/performance-windows.md instead; with --terminals, the terminal
# game in kitty (with and without its keyboard protocol) and in xterm, into
# docs/performance-terminals.md; with --wayland, the Wayland window in sway
# against a Wayland floor, into docs/performance-wayland.md.
# Usage: bench/run.sh [--quick] [--wine | --terminals | --wayland]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
cmake --preset release -DTITLETYPE_TESTS=ON >/dev/null
cmake --build --preset release -j "$(nproc)" --target bench_driver >/dev/null
args=()
for arg in "$@"; do
  if [[ $arg == --wine ]]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$(nproc)" --target titletype >/dev/null
    args+=(--wine build/windows/titletype.exe)
  else
    args+=("$arg")
  fi
done
build/release/bench/bench_driver docs "${args[@]}"
