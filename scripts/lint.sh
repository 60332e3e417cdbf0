#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the project's own code: formatting (clang-format), clang-tidy and
# cppcheck. Fails on any difference or finding.
set -euo pipefail
cd "$(dirname "$0")/.."
sources=$(git ls-files 'game/*.cc' 'platform/*.cc' 'app/*.cc' 'tools/*.cc' |
  grep -v -e '^platform/windows/' -e '^app/windows_' -e '^platform/web/web_' -e '^app/web_')
# The Windows and WebAssembly code is checked by cppcheck only: clang-tidy
# here reads the Linux build, which does not compile it.
windows_sources=$(git ls-files 'platform/windows/*.cc' 'app/windows_*.cc' \
  'platform/web/web_*.cc' 'app/web_*.cc')
all=$(git ls-files '*.cc' '*.h')

echo "== clang-format"
clang-format --dry-run --Werror $all

echo "== clang-tidy"
cmake --preset debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build --preset debug -j "$(nproc)" --target icons >/dev/null
clang-tidy -p build/debug --quiet $sources 2>/dev/null

echo "== cppcheck"
cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability \
  --std=c++20 --inline-suppr -I . $sources $windows_sources
