#!/bin/sh
# "standards --all": every macro of a generated drawing evaluated with the standards it names, in one
# process and on two workers, the lines and the saved drawing compared:
#   drawing_standards_test.sh SSHOST MAKE_STANDARDS_DRAWING LIBRARY
set -u
sshost=$1
make=$2
library=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

"$make" "$library/Drawings/connections.json" "$work/good.json" 6 BasePlate1=BasePlate:BasePlate1 \
  Splice1=Splice:Module.Splice || fail "the drawing could not be generated"
cp "$work/good.json" "$work/before.json"

# One job and two give the same lines, in the drawing's order, and change nothing on disk without --save.
expect "one job" '^6 macros with standards in .*: [0-9]+ changed, [0-9]+ unchanged, 0 failed \(1 job\)\.$' \
  "$sshost" standards --drawing "$work/good.json" --all --jobs 1
one=$(printf '%s\n' "$out" | grep -v 'macros with standards\|--save')
printf '%s\n' "$one" | head -1 | grep -Eq '^BasePlate1-1: ' || fail "the first line names the first macro:
$out"
printf '%s\n' "$one" | grep -Eq '^Splice1-2: .*Web\.NrBolts1 [0-9.]* -> 3\b' || fail "the splice's bolt count changes:
$out"
expect "two jobs" '^6 macros with standards in .*: [0-9]+ changed, [0-9]+ unchanged, 0 failed \(2 jobs\)\.$' \
  "$sshost" standards --drawing "$work/good.json" --all --jobs 2
two=$(printf '%s\n' "$out" | grep -v 'macros with standards\|--save')
[ "$one" = "$two" ] || fail "one job and two jobs differ:
$one
---
$two"
cmp -s "$work/good.json" "$work/before.json" || fail "the drawing was written without --save"

# Saved once; evaluated again, nothing changes.
expect "save" '^Saved ' "$sshost" standards --drawing "$work/good.json" --all --jobs 2 --save
expect "again" '^6 macros with standards in .*: 0 changed, 6 unchanged, 0 failed' \
  "$sshost" standards --drawing "$work/good.json" --all --jobs 2

# A macro whose standard fails: the command fails and names it; --save writes the others only.
"$make" "$library/Drawings/connections.json" "$work/mixed.json" 4 BasePlate1=BasePlate:BasePlate1 \
  EndPlate1=Nothing:EndPlate1 || fail "the drawing could not be generated"
refuse "failure" '^EndPlate1-2: Nothing failed: There is no standards spreadsheet .*Nothing\.kvs' \
  "$sshost" standards --drawing "$work/mixed.json" --all --jobs 2 --save
printf '%s\n' "$out" | grep -Eq '^4 macros with standards in .*: 2 changed, 0 unchanged, 2 failed \(2 jobs\)\.$' ||
  fail "the summary counts the failures:
$out"
expect "saved, failed ones kept" '^4 macros with standards in .*: 0 changed, 2 unchanged, 2 failed' \
  sh -c "'$sshost' standards --drawing '$work/mixed.json' --all --jobs 1; true"

# A worker that stops, hands back what is no hand-back or hands back other macros: the macros it took
# fail with that reason, this process evaluates the rest, and --save keeps the failed ones as they were.
cp "$work/before.json" "$work/faults.json"
refuse "a worker stops" '^BasePlate1-1: failed: its worker stopped: sshost: stopped as SS_TEST_WORKER_FAULT asks\.$' \
  env SS_TEST_WORKER_FAULT=stop "$sshost" standards --drawing "$work/faults.json" --all --jobs 2 --save
printf '%s\n' "$out" | grep -Eq '^6 macros with standards in .*: 5 changed, 0 unchanged, 1 failed \(2 jobs\)\.$' ||
  fail "the summary counts the macro of the stopped worker:
$out"
expect "only the failed one is left" '^6 macros with standards in .*: 1 changed, 5 unchanged, 0 failed \(1 job\)' \
  "$sshost" standards --drawing "$work/faults.json" --all --jobs 1
printf '%s\n' "$out" | grep -Eq '^BasePlate1-1: Width' || fail "the failed macro was saved:
$out"
refuse "garbage handed back" "^Splice1-2: failed: its worker's drawing cannot be read: .*not a worker's hand-back$" \
  env SS_TEST_WORKER_FAULT=garbage "$sshost" standards --drawing "$work/before.json" --all --jobs 2
printf '%s\n' "$out" | grep -Eq ': 0 changed, 0 unchanged, 6 failed \(2 jobs\)\.$' || fail "every macro fails:
$out"
cp "$work/before.json" "$work/other.json"
refuse "other macros handed back" '^Splice1-4: failed: its worker handed back another macro\.$' \
  env SS_TEST_WORKER_FAULT=other "$sshost" standards --drawing "$work/other.json" --all --jobs 2 --save
printf '%s\n' "$out" | grep -Eq ': 0 changed, 0 unchanged, 6 failed \(2 jobs\)\.$' || fail "every macro fails:
$out"
cmp -s "$work/before.json" "$work/other.json" || fail "nothing was evaluated, yet the drawing was written"

refuse "all with a sheet" 'takes no --macro, --sheet' "$sshost" standards --drawing "$work/good.json" --all --sheet BasePlate
refuse "no sheet" '--sheet names the standard' "$sshost" standards --drawing "$work/good.json" --macro BasePlate1-1
echo "Whole drawings evaluate."
