#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the project's own code: formatting (clang-format), clang-tidy and
# cppcheck. Fails on any difference or finding.
set -euo pipefail
cd "$(dirname "$0")/.."
# Every C++ file of the project. clang-tidy reads the Linux debug build,
# which does not compile the Windows, WebAssembly and fuzzing code: cppcheck
# checks those, and the program's code again, but not the tests and the
# benchmarks, whose googletest macros and chrono literals it cannot parse.
all=$(git ls-files '*.cc' '*.h')
elsewhere='^(platform/windows/|app/windows_|platform/web/(web|module)_|app/web_|tests/windows/|tests/web/|fuzz/)'
sources=$(git ls-files '*.cc' | grep -v -E "$elsewhere")
other_sources=$(git ls-files '*.cc' | grep -E "$elsewhere")

echo "== clang-format"
clang-format --dry-run --Werror $all

echo "== clang-tidy"
cmake --preset debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build --preset debug -j "$(nproc)" --target icons >/dev/null
printf '%s\n' $sources | xargs -P "$(nproc)" -n 4 clang-tidy -p build/debug --quiet 2>/dev/null

echo "== cppcheck"
cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability \
  --std=c++20 --inline-suppr -I . $(printf '%s\n' $sources $other_sources | grep -v -E '^(tests|bench)/')
