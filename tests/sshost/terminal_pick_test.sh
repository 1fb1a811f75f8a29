#!/bin/sh
# A pick in the drawing on the terminal: "sshost standards" without --macro asks for the macro, and
# the person answers by name or id; a wrong answer is explained and asked again; Enter cancels.
#   terminal_pick_test.sh SSHOST LIBRARY
set -u
sshost=$1
library=$2
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent
drawing="$library/Drawings/connections.json"

fail() {
  echo "FAILED: $1" >&2
  exit 1
}

# Listed with ?, a name the drawing lacks, then the macro by name.
out=$(printf '?\nNoSuchMacro\nBasePlate1\n' | "$sshost" standards --drawing "$drawing" --sheet BasePlate 2>&1) ||
  fail "pick by name: exit status $?:
$out"
for pattern in 'Select the macro to evaluate \(name or id, \? lists them, Enter cancels\): ' \
  '  BasePlate1 \(#101, macro\)' 'The drawing has no macro named "NoSuchMacro"\.' \
  '^Macro BasePlate1 with BasePlate:' 'Output Double Width = '; do
  printf '%s\n' "$out" | grep -Eq -- "$pattern" || fail "pick by name: no \"$pattern\" in:
$out"
done

# By id.
out=$(printf '#101\n' | "$sshost" standards --drawing "$drawing" --sheet BasePlate 2>&1) ||
  fail "pick by id: exit status $?:
$out"
printf '%s\n' "$out" | grep -q '^Macro BasePlate1 with BasePlate:' || fail "pick by id:
$out"

# Cancelled with Enter, and at the end of the input: nothing evaluated, exit status 1.
for answer in '\n' ''; do
  if out=$(printf "$answer" | "$sshost" standards --drawing "$drawing" --sheet BasePlate 2>&1); then
    fail "cancelled pick succeeded:
$out"
  fi
  printf '%s\n' "$out" | grep -q 'sshost: No macro was picked; nothing was evaluated.' || fail "cancelled pick:
$out"
done
echo "terminal picks: all checks passed"
