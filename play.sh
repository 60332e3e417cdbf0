#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the game and plays it: in a window where a
# display is available, in this terminal otherwise. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release -DTITLETYPE_TESTS=OFF >/dev/null
cmake --build --preset release -j "$(nproc)" --target titletype >/dev/null
exec build/release/titletype "$@"
