#!/bin/sh
# sshost check as a person runs it: the sample library passes; a faulty standard (written as CSV and
# converted) gives one line per finding with file and cell, and status 1.
#   check_command_test.sh SSHOST LIBRARY
set -u
sshost=$1
library=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

expect "sample library" '^[0-9]+ standards checked, 0 findings\.$' "$sshost" check "$library"
expect "one standard" '^2 standards checked, 0 findings\.$' "$sshost" check Splice
cat >"$work/Faulty.csv" <<'CSV'
Input
Double Thickness
Output
Double Width
Calc
Width = Thicknes * 2
CSV
"$sshost" convert "$work/Faulty.csv" "$work/Faulty.kvs" >/dev/null || fail "convert"
refuse "faulty standard" 'Faulty\.kvs A6: uses Thicknes, which is declared nowhere' "$sshost" check "$work/Faulty.kvs"
refuse "unused input" 'Faulty\.kvs A2: the Input Thickness is never used' "$sshost" check "$work"
refuse "missing folder or sheet" 'Nothing' "$sshost" check "$work/Nothing.kvs"
echo "check: all passed"
