#!/usr/bin/env bash
# Memory and time of loading a large sheet: writes a spreadsheet file of 1,000,000 rows (two cells a
# row: a number and a text, about 100 MB) and the same rows as CSV (about 25 MB), then lets the host
# shell read each (sshost dump, its listing thrown away) under /usr/bin/time and prints the largest
# resident size and the elapsed time. Uses build/bin/sshost (scripts/build.sh release first).
#   scripts/large_sheet.sh [ROWS]   (default 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
rows=${1:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

awk -v rows="$rows" 'BEGIN {
  split("HEA 200,IPE 300,HEB 240,L 50x5,FL 100x10", sections, ",")
  printf "{\n  \"format\": \"spreadsheet\",\n  \"version\": 1,\n  \"columns\": 2,\n  \"rows\": %d,\n  \"cells\": [", rows
  for (r = 1; r <= rows; r++) {
    printf "%s\n    {\"c\": 1, \"r\": %d, \"number\": %d},\n    {\"c\": 2, \"r\": %d, \"text\": \"%s part %d\"}",
           (r == 1 ? "" : ","), r, (r * 7919) % 99991, r, sections[r % 5 + 1], r
  }
  printf "\n  ]\n}\n"
}' >"$work/large.kvs"
awk -v rows="$rows" 'BEGIN {
  split("HEA 200,IPE 300,HEB 240,L 50x5,FL 100x10", sections, ",")
  for (r = 1; r <= rows; r++) printf "%d,%s part %d\n", (r * 7919) % 99991, sections[r % 5 + 1], r
}' >"$work/large.csv"

for file in large.kvs large.csv; do
  size=$(du -m "$work/$file" | cut -f1)
  /usr/bin/time -v build/bin/sshost dump "$work/$file" >/dev/null 2>"$work/time.txt" || { cat "$work/time.txt"; exit 1; }
  rss=$(awk -F': ' '/Maximum resident set size/ {print int($2 / 1024)}' "$work/time.txt")
  elapsed=$(awk -F'): ' '/Elapsed \(wall clock\)/ {print $2}' "$work/time.txt")
  echo "$file: $rows rows, $size MB: largest resident size $rss MB, elapsed $elapsed"
done
