#!/bin/sh
# The host shell's macro command on copies of the sample drawings, end to end: a value typed into a
# macro's page is in the saved drawing and is what the standards then read:
#   macro_command_test.sh SSHOST LIBRARY
# Each check prints what it ran when it fails; the script fails at the first failing check.
set -u
sshost=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2/Drawings/connections.json" "$work/connections.json"
cp "$2/Drawings/macro-dialogs.json" "$work/drawing.json"
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

expect "typed and saved" '1 change\(s\) applied; saved .*connections\.json' \
  "$sshost" macro --drawing "$work/connections.json" --macro BasePlate1 --set Overhang=55 --save
tr -d ' \n' <"$work/connections.json" | grep -Eq '"name":"Overhang","value":55(\.0*)?[,}]' ||
  fail "the saved drawing does not hold the overhang typed"
expect "read by the standards" 'Input Double Overhang = 55\.0+' \
  "$sshost" standards --drawing "$work/connections.json" --macro BasePlate1 --sheet BasePlate

# Two macros edited together; without --save nothing is written.
expect "not saved" '1 change\(s\) applied; .* was not written \(--save writes it back\)' \
  "$sshost" macro --drawing "$work/drawing.json" --macro EndPlateA,EndPlateB --set PlateHeight=420
cmp -s "$2/Drawings/macro-dialogs.json" "$work/drawing.json" || fail "the drawing was written without --save"
refuse "refused value" 'do not take "wide" for Edge.*was not written' \
  "$sshost" macro --drawing "$work/drawing.json" --macro EndPlateA --set Edge=wide --save
refuse "unknown variable" 'no variable Nothing' \
  "$sshost" macro --drawing "$work/drawing.json" --macro EndPlateA --set Nothing=1 --save
refuse "unknown macro" 'has no macro "Nobody"' \
  "$sshost" macro --drawing "$work/drawing.json" --macro EndPlateA,Nobody --set Edge=45 --save
refuse "no NAME=VALUE" 'NAME=VALUE' \
  "$sshost" macro --drawing "$work/drawing.json" --macro EndPlateA --set Edge --save
cmp -s "$2/Drawings/macro-dialogs.json" "$work/drawing.json" || fail "a refused command wrote the drawing"
expect "picture" 'Picture of the macro dialog saved as .*macro\.png; nothing was written' \
  "$sshost" macro --drawing "$work/drawing.json" --macro EndPlateA --png "$work/macro.png"
[ "$(head -c 4 "$work/macro.png" | tail -c 3)" = PNG ] || fail "no picture of the macro dialog"
refuse "no display" 'display' "$sshost" macro --drawing "$work/drawing.json" --macro EndPlateA
echo "All macro command checks passed."
