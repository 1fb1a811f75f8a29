#!/usr/bin/env bash
# Benchmarks of the spreadsheet library against the peer engine: installs the peer's development
# packages when missing, builds with SS_BENCH=ON in build-bench/, runs each benchmark several times
# and prints the medians with the ratio peer / ours for each phase.
#   scripts/bench.sh [REPETITIONS]   (default 7)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
repetitions=${1:-7}

missing=()
for p in libixion-dev libboost-dev python3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# -O2: g++ 12 reports false -Wrestrict faults in std::string at -O3.
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
  -DSS_BENCH=ON -DSS_TESTS=OFF >/dev/null
cmake --build build-bench --target spreadlib_bench

json=$(mktemp)
trap 'rm -f "$json"' EXIT
build-bench/bin/spreadlib_bench --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_out="$json" --benchmark_out_format=json >/dev/null

python3 - "$json" <<'PY'
import json, sys
runs = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("aggregate_name") != "median":
        continue
    engine, phase = b["run_name"].split("_", 1)
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    runs.setdefault(phase, {})[engine] = b["cpu_time"] * scale
names = {"a_Parse": "(a) parse 10,000 formulas", "b_BatchEvaluate": "(b) evaluate 10,000 formulas",
         "c_SetAndEvaluate": "(c) set one formula and evaluate it", "d_ChainRecalc": "(d) recalculate a 50,000-cell chain",
         "e_Save": "(e) save 100,000 cells", "e_Load": "(e) load 100,000 cells"}
print(f"{'phase':40} {'ours (ms)':>12} {'peer (ms)':>12} {'peer/ours':>10}")
for phase, times in runs.items():
    ours, peer = times.get("Ours"), times.get("Ixion")
    ratio = f"{peer / ours:.1f}x" if ours and peer else "-"
    fmt = lambda t: f"{t:.4f}" if t is not None and t < 0.1 else (f"{t:.2f}" if t is not None else "-")
    print(f"{names.get(phase, phase):40} {fmt(ours):>12} {fmt(peer):>12} {ratio:>10}")
PY
