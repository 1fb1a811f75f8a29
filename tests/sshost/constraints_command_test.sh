#!/bin/sh
# The host shell's constraints command on a copy of the sample drawing: the pages filled as a person
# would and closed, the edits in the drawing file; refusals write nothing.
#   constraints_command_test.sh SSHOST LIBRARY
# Each check prints what it ran when it fails; the script fails at the first failing check.
set -u
sshost=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2/Drawings/macro-dialogs.json" "$work/drawing.json"
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

drawing=$work/drawing.json
expect "picture of a page" 'Picture of the dialog saved as .*geometry\.png; nothing was written' \
  "$sshost" constraints --drawing "$drawing" --macro EndPlateA --tab geometry --png "$work/geometry.png"
[ "$(head -c 4 "$work/geometry.png" | tail -c 3)" = PNG ] || fail "no picture of the geometry page"
cmp -s "$2/Drawings/macro-dialogs.json" "$drawing" || fail "the picture wrote the drawing"

# Tags, variables and equations reach the file when the dialog is closed (every page is stored).
expect "edits" '^Saved .*drawing\.json\.$' \
  "$sshost" constraints --drawing "$drawing" --macro EndPlateA --tag 1002=Middle --tag hole=Bore \
  --variable Clearance=4 --variable Spare=1 --equation 'Gap = Edge / 5' --equation 'Spare = Clearance * 2'
grep -q '"nameTag": "Middle"' "$drawing" || fail "the tag of 1002 is not in the drawing"
grep -q '"nameTag": "Bore"' "$drawing" || fail "the tag of the hole is not in the drawing"
grep -q '"Spare = Clearance \* 2"' "$drawing" || fail "the equations are not in the drawing"
# What was written reads back as the dialog shows it (closing again changes nothing), with the
# computed values.
expect "read back unchanged" '^Nothing changed: the drawing was not written\.$' "$sshost" constraints --drawing "$drawing" --macro EndPlateA --close
grep -A2 '"name": "Spare"' "$drawing" | grep -q '"value": 8' || fail "Spare was not computed to 8"
grep -A2 '"name": "Gap"' "$drawing" | grep -q '"value": 8' || fail "Gap was not computed to 8"

# Refusals: nothing written.
cp "$drawing" "$work/before.json"
refuse "a tag in use" 'were not written: a name tag must be unique' \
  "$sshost" constraints --drawing "$drawing" --macro EndPlateA --tag 1003=middle
refuse "an equation that cannot be computed" 'were not written: .*Nothing' \
  "$sshost" constraints --drawing "$drawing" --macro EndPlateA --equation 'Nothing = 1'
refuse "an unknown object" 'has no geometry object "9999"' \
  "$sshost" constraints --drawing "$drawing" --macro EndPlateA --tag 9999=X
refuse "an unknown module" 'has no module "Nothing"' \
  "$sshost" constraints --drawing "$drawing" --macro EndPlateA --module Nothing --close
refuse "edits and a picture" 'Give one or the other' \
  "$sshost" constraints --drawing "$drawing" --macro EndPlateA --close --png "$work/x.png"
refuse "no display" 'no display to show the dialog on' "$sshost" constraints --drawing "$drawing" --macro EndPlateA
cmp -s "$work/before.json" "$drawing" || fail "a refused edit wrote the drawing"
[ -e "$work/x.png" ] && fail "a picture of a failed command"
echo "All constraints command checks passed."
