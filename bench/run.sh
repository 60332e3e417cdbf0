#!/usr/bin/env bash
# Measures the game against the floor and rewrites docs/performance.md.
# Usage: bench/run.sh [--quick]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
cmake --preset release -DTITLETYPE_TESTS=ON >/dev/null
cmake --build --preset release -j "$(nproc)" --target bench_driver >/dev/null
build/release/bench/bench_driver docs "$@"
