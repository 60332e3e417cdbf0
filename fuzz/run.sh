#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzzers with clang and runs each for SECONDS (default 60) from
# the seed corpora in fuzz/corpus, which it leaves unchanged.
# Usage: fuzz/run.sh [SECONDS]   (a long run: fuzz/run.sh 3600)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null
for fuzzer in game_fuzzer decoder_fuzzer; do
  corpus=$(mktemp -d)
  name=${fuzzer%_fuzzer}
  echo "== $fuzzer for ${seconds} s"
  log=build/fuzz/$name.log
  status=0
  build/fuzz/fuzz/$fuzzer -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/$name-" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1 || status=$?
  grep -E "stat::number_of_executed_units|stat::average_exec_per_sec|DONE|ERROR|SUMMARY|invariant" "$log" || true
  echo "corpus: $(ls "$corpus" "fuzz/corpus/$name" | grep -vc :) units"
  rm -rf "$corpus"
  [[ $status -eq 0 ]] || { echo "$fuzzer found a fault (status $status)"; exit 1; }
done
