#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that the Windows program stands alone and is hardened: a GUI
# program that imports only DLLs every Windows has (no C++ runtime to ship),
# with address-space randomisation and a non-executable stack and heap.
set -euo pipefail
exe=${1:?usage: check-windows-exe.sh PROGRAM.exe}
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
failed=0
check() {
  if grep -qE "$2" <<<"$headers"; then echo "ok: $1"; else echo "MISSING: $1"; failed=1; fi
}
check "GUI subsystem (no console window)" 'Subsystem.*Windows GUI'
check "64-bit address-space randomisation (HIGH_ENTROPY_VA)" 'HIGH_ENTROPY_VA'
check "randomised base" 'DYNAMIC_BASE'
check "no execution from data (NX_COMPAT)" 'NX_COMPAT'
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|IMM32|SHELL32|WINMM|dwmapi|msvcrt|ole32)\.dll$'
while read -r dll; do
  if [[ $dll =~ $system_dlls ]]; then echo "ok: imports $dll"; else echo "EXTRA DLL: $dll"; failed=1; fi
done < <(sed -n 's/.*DLL Name: //p' <<<"$headers")
echo "size: $(stat -c %s "$exe") bytes"
exit $failed
