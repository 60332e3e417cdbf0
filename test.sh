#!/usr/bin/env bash
# Builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)"
ctest --preset debug -j "$(nproc)"
