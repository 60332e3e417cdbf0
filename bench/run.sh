#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the game against the floor and rewrites docs/performance.md; with
# --wine, measures the Windows build under Wine against the Linux window and
# rewrites docs/performance-windows.md instead; with --terminals, the terminal
# game in kitty (with and without its keyboard protocol) and in xterm, into
# docs/performance-terminals.md; with --wayland, the Wayland window in sway
# against a Wayland floor, into docs/performance-wayland.md; with --speech,
# key to speech request beside key to title, into
# docs/performance-speech.md; with
# --kept-keys, which modified keys Chromium, Firefox and GNOME Web keep from
# a page, into the README's table (about 3 minutes; run when a browser
# changes).
# Usage: bench/run.sh [--quick] [--wine | --terminals | --wayland | --speech | --kept-keys]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
cmake --preset release -DTITLETYPE_TESTS=ON >/dev/null
cmake --build --preset release -j "$(nproc)" --target bench_driver >/dev/null
if [[ ${1:-} == --kept-keys ]]; then
  cmake --build --preset release -j "$(nproc)" --target kept_keys >/dev/null
  for browser in chromium firefox epiphany; do
    build/release/bench/kept_keys "$browser" README.md
  done
  exit
fi
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
