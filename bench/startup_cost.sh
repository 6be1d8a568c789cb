#!/usr/bin/env bash
# Start-up cost of the application against a bare Qt window of the same size (startup_baseline).
# Launches the two alternately under one private Xvfb, RUNS times each after one warm-up pair, and
# prints the medians of launch-to-window-mapped time and of peak RSS, and their ratios
# application/baseline. Exits 1 when a ratio is over its goal.
#   bench/startup_cost.sh BUILD_DIR [RUNS]    (RUNS >= 15, default 15)
# shellcheck source=../tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"

readonly TIME_GOAL=1.15 MEMORY_GOAL=1.10
readonly SETTLE_MS=500  # after mapping, to let the first paint count towards the peak

(($# >= 1)) || fail "usage: $0 BUILD_DIR [RUNS]"
build=$1
runs=${2:-15}
if ! [[ $runs =~ ^[0-9]+$ ]] || ((runs < 15)); then
  fail "RUNS must be a number of at least 15: $runs"
fi
app=$build/app/nansai
baseline=$build/bench/startup_baseline
probe=$build/bench/startup_probe
for program in "$app" "$baseline" "$probe"; do
  [[ -x $program ]] || fail "$program is not built (cmake --build $build)"
done

# measure NAME TITLE PROGRAM: one launch; appends "ms kib" to NAME's file.
measure() {
  "$probe" "$2" "$SETTLE_MS" "$3" >>"$E2E_TMP/$1" || fail "measuring $3 failed"
}

median() {  # median FILE COLUMN
  cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 }
    END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

start_xvfb

measure warmup "$MAIN_TITLE" "$app"
measure warmup baseline "$baseline"
for ((i = 0; i < runs; i++)); do
  measure app "$MAIN_TITLE" "$app"
  measure baseline baseline "$baseline"
done

app_ms=$(median "$E2E_TMP/app" 1)
app_kib=$(median "$E2E_TMP/app" 2)
base_ms=$(median "$E2E_TMP/baseline" 1)
base_kib=$(median "$E2E_TMP/baseline" 2)

awk -v runs="$runs" -v am="$app_ms" -v ak="$app_kib" -v bm="$base_ms" -v bk="$base_kib" \
  -v tg="$TIME_GOAL" -v mg="$MEMORY_GOAL" 'BEGIN {
  tr = am / bm; mr = ak / bk
  printf "medians of %d runs each, launch to window mapped and peak RSS:\n", runs
  printf "  %-12s %8.1f ms %8.1f MiB\n", "application", am, ak / 1024
  printf "  %-12s %8.1f ms %8.1f MiB\n", "baseline", bm, bk / 1024
  printf "  %-12s %8.3f    %8.3f      (goals: <= %.2f, <= %.2f)\n", "ratio", tr, mr, tg, mg
  if (tr > tg || mr > mg) { print "goal missed"; exit 1 }
  print "goals met"
}'
