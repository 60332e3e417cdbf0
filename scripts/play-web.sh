#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the browser page and serves it on 127.0.0.1 until Ctrl+C.
# Usage: scripts/play-web.sh [PORT]   (8000 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --web
cmake --preset web >/dev/null
cmake --build --preset web -j "$(nproc)" --target titletype_page >/dev/null
port=${1:-8000}
echo "Play at http://127.0.0.1:$port/ (the page is build/web/site/; Ctrl+C stops the server)"
exec python3 -m http.server --bind 127.0.0.1 --directory build/web/site "$port"
