#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that a binary was built hardened: position independent, relocations
# read-only and bound at start (RELRO, BIND_NOW), a stack protector and
# fortified library calls.
set -euo pipefail
binary=${1:?usage: check-hardening.sh BINARY}
failed=0
check() {
  if eval "$2" >/dev/null; then echo "ok: $1"; else echo "MISSING: $1"; failed=1; fi
}
check "position independent executable" "readelf -h '$binary' | grep 'Type:.*DYN'"
check "full RELRO (GNU_RELRO)" "readelf -lW '$binary' | grep GNU_RELRO"
check "bound at start (BIND_NOW)" "readelf -dW '$binary' | grep -E 'BIND_NOW|FLAGS.*NOW'"
check "stack protector" "readelf -sW --dyn-syms '$binary' | grep __stack_chk_fail"
check "fortified calls (_FORTIFY_SOURCE)" "readelf -sW --dyn-syms '$binary' | grep -E '__[a-z_]+_chk@'"
exit $failed
