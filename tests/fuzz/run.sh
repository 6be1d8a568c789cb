#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time and fails on any finding.
#   tests/fuzz/run.sh BUILD-DIR [SECONDS]      (default 20 s per target)
# BUILD-DIR is a clang build with the fuzz targets (./dev test makes build-fuzz):
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DNANSAI_FUZZ=ON \
#     -DNANSAI_WITH_QT=OFF -DNANSAI_BENCH=OFF && cmake --build build-fuzz
# Each target starts from its committed seeds in tests/fuzz/corpus/<target>/ and grows its own
# corpus in BUILD-DIR/fuzz-corpus/<target>/, so the committed seeds stay as they are. A finding
# is kept in BUILD-DIR/fuzz-findings/<target>/: once fixed, copy it into
# tests/fuzz/regressions/<target>/ under a name that says what it broke (git ignores crash-*),
# where fuzz_replay_tests replays it in every run.
# The seeds themselves come from BUILD-DIR/tests/fuzz/fuzz_write_seeds tests/fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:?usage: tests/fuzz/run.sh BUILD-DIR [SECONDS]}
seconds=${2:-20}
failed=()

for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  corpus=$build/fuzz-corpus/$target
  findings=$build/fuzz-findings/$target
  log=$build/fuzz-$target.log
  mkdir -p "$corpus" "$findings"
  if "$build/tests/fuzz/fuzz_$target" "$corpus" "$seeds" -max_total_time="$seconds" \
    -max_len=4096 -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    printf 'fuzz %-14s %10s executions in %s s (%s/s), corpus %s inputs\n' "$target" "$runs" \
      "$seconds" "$rate" "$(find "$corpus" -type f | wc -l)"
  else
    echo "fuzz $target: FINDING (input kept in $findings/); the report:" >&2
    sed -n '/ERROR\|runtime error\|^fuzz target/,$p' "$log" | grep -v '^stat::' | head -40 >&2
    failed+=("$target")
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
