#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the release twice from fresh clones of HEAD, in folders of different
# names and depths, with different umasks, at different times, and fails
# unless every artefact is the same to the byte; diffoscope, where it is
# installed, shows what differs.
# Usage: scripts/check-reproducible.sh [FIRST_DIST_DIR]
#   FIRST_DIST_DIR: artefacts already built from HEAD, used as the first build.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
first=${1:-}
if [[ -z $first ]]; then
  git clone -q . "$work/one"
  first=$work/dist-one
  (umask 022 && "$work/one/scripts/release.sh" "$first" >/dev/null)
fi
git clone -q . "$work/a/much/deeper/folder"
sleep 2  # a second later at least: no clock may reach the artefacts
(umask 077 && "$work/a/much/deeper/folder/scripts/release.sh" "$work/dist-two" >/dev/null)

status=0
for artefact in "$first"/titletype[-_]* "$first/SHA256SUMS"; do
  other=$work/dist-two/$(basename "$artefact")
  if cmp -s "$artefact" "$other"; then
    echo "same: $(basename "$artefact")"
  else
    echo "DIFFERENT: $(basename "$artefact")"
    status=1
    if command -v diffoscope >/dev/null; then diffoscope "$artefact" "$other" | head -50 || true; fi
  fi
done
exit $status
