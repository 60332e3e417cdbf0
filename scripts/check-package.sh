#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Debian package as a packager and a player would: lintian finds
# no error or warning; apt installs it; the installed game answers, its man
# page, menu entry and metainfo are valid; COMMAND, if given, runs while it
# is installed; apt removes it and nothing of it is left. Needs root.
# Usage: scripts/check-package.sh DEB [COMMAND...]
set -euo pipefail
deb=$(realpath "${1:?usage: check-package.sh DEB [COMMAND...]}")
shift
export DEBIAN_FRONTEND=noninteractive

echo "== lintian"
lintian --fail-on error,warning "$deb"

echo "== installed"
apt-get install -y -qq "$deb" >/dev/null
trap 'apt-get purge -y -qq titletype >/dev/null' ERR  # never left installed by a failure
installed=$(dpkg -L titletype)
/usr/games/titletype --version
MANWIDTH=80 man 6 titletype | grep -q "typing game"
desktop-file-validate /usr/share/applications/org.titletype.titletype.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.titletype.titletype.metainfo.xml
if [[ $# -gt 0 ]]; then "$@"; fi

echo "== removed"
apt-get purge -y -qq titletype >/dev/null
left=$(for path in $installed; do [[ -f $path ]] && echo "$path"; done || true)
[[ -z $left ]] || { echo "left behind: $left"; exit 1; }
echo "nothing left behind"
