#!/usr/bin/env bash
# "sshost standards --all" on a generated drawing of 10,000 connections over the sample standards
# (base plates and splices, alternately): the whole command timed with 1 job and with 2 worker
# processes, each several times, and the medians with their ratio. Uses build/bin (a release build
# with the tests: scripts/build.sh release).
#   bench/drawing_standards_bench.sh [MACROS] [RUNS]   (defaults 10000 and 3)
set -euo pipefail
cd "$(dirname "$0")/.."
macros=${1:-10000}
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent
library=examples/library
build/bin/make_standards_drawing "$library/Drawings/connections.json" "$work/drawing.json" "$macros" \
  BasePlate1=BasePlate:BasePlate1 Splice1=Splice:Module.Splice

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
declare -A medians
for jobs in 1 2; do
  times=()
  for ((run = 1; run <= runs; ++run)); do
    start=$(date +%s.%N)
    build/bin/sshost standards --drawing "$work/drawing.json" --all --jobs "$jobs" >"$work/out.txt" 2>&1 ||
      { tail -3 "$work/out.txt"; exit 1; }
    end=$(date +%s.%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
  done
  medians[$jobs]=$(printf '%s\n' "${times[@]}" | median)
  echo "jobs $jobs: $(grep 'macros with standards' "$work/out.txt")"
  printf 'jobs %s: runs %s, median %.2f s\n' "$jobs" "${times[*]}" "${medians[$jobs]}"
done
awk -v a="${medians[1]}" -v b="${medians[2]}" 'BEGIN { printf "ratio 1 job / 2 jobs: %.2f\n", a / b }'
