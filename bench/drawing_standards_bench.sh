#!/usr/bin/env bash
# "sshost standards --all" on a generated drawing of 10,000 connections over the sample standards
# (base plates and splices, alternately): the whole command timed with 1 job and with 2 worker
# processes, each several times, and the medians with their ratio. Uses build/bin (a release build
# with the tests: scripts/build.sh release).
#   bench/drawing_standards_bench.sh [MACROS] [RUNS]   (defaults 10000 and 3)
# With BEFORE=FOLDER (a copy of build/bin made before a change), that build is timed in the same run,
# its runs taking turns with build/bin's, so that both see the same machine.
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

builds=(build/bin)
[ -n "${BEFORE:-}" ] && builds=("$BEFORE" build/bin)

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
declare -A times
for ((run = 1; run <= runs; ++run)); do
  for jobs in 1 2; do
    for bin in "${builds[@]}"; do
      start=$(date +%s.%N)
      "$bin/sshost" standards --drawing "$work/drawing.json" --all --jobs "$jobs" >"$work/out-$jobs.txt" 2>&1 ||
        { tail -3 "$work/out-$jobs.txt"; exit 1; }
      end=$(date +%s.%N)
      times[$bin,$jobs]+="$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') "
    done
  done
done
for bin in "${builds[@]}"; do
  declare -A medians=()
  for jobs in 1 2; do
    medians[$jobs]=$(printf '%s\n' ${times[$bin,$jobs]} | median)
    printf '%s, jobs %s: runs %s, median %.2f s\n' "$bin" "$jobs" "${times[$bin,$jobs]% }" "${medians[$jobs]}"
  done
  awk -v bin="$bin" -v a="${medians[1]}" -v b="${medians[2]}" \
    'BEGIN { printf "%s: ratio 1 job / 2 jobs: %.2f\n", bin, a / b }'
done
echo "last summary (build/bin, 2 jobs): $(grep 'macros with standards' "$work/out-2.txt")"
