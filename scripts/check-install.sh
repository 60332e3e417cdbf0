#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs a release build into a temporary DESTDIR and checks what a
# packager would: nothing outside the prefix, a valid menu entry and
# metainfo, a man page that renders, and a binary that runs.
# Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR}
prefix=/usr
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null

outside=$(cd "$stage" && find . -type f ! -path "./${prefix#/}/*")
[[ -z "$outside" ]] || { echo "installed outside $prefix: $outside"; exit 1; }
echo "== installed tree"
(cd "$stage" && find . -type f | sort)
desktop-file-validate "$stage$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$stage$prefix"/share/metainfo/*.metainfo.xml
MANWIDTH=80 man -l "$stage$prefix/share/man/man6/titletype.6" >/dev/null
"$stage$prefix/bin/titletype" --version
"$stage$prefix/bin/titletype" --help >/dev/null
