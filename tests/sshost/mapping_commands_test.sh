#!/bin/sh
# The host shell's commands that open the mapping page and the general variables on a person's own
# files, on a copy of the sample library:
#   mapping_commands_test.sh SSHOST LIBRARY
# Each check prints what it ran when it fails; the script fails at the first failing check.
set -u
sshost=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$2" "$work/library"
library=$work/library
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

# unchanged FILE ORIGINAL: the copy of FILE is still the library's.
unchanged() {
  cmp -s "$2/$1" "$library/$1" || fail "$1 was changed"
}

drawing=$library/Macros/EndPlate.json
expect "mapping picture" 'Picture of the dialog saved as .*mapping\.png; nothing was written' \
  "$sshost" --library "$library" mapping --drawing "$drawing" --macro EndPlate --png "$work/mapping.png"
[ "$(head -c 4 "$work/mapping.png" | tail -c 3)" = PNG ] || fail "no picture of the mapping page"
unchanged Macros/EndPlate.json "$2"
unchanged "Connection Standards/EndPlate.map" "$2"
refuse "unknown macro" 'has no macro "Nothing"' \
  "$sshost" --library "$library" mapping --drawing "$drawing" --macro Nothing --png "$work/x.png"
refuse "missing drawing" 'none\.json' \
  "$sshost" --library "$library" mapping --drawing "$work/none.json" --macro EndPlate --png "$work/x.png"
refuse "no display" 'no display to show the dialog on' "$sshost" mapping --drawing "$drawing" --macro EndPlate
[ -e "$work/x.png" ] && fail "a picture of a failed command"

expect "genvars picture" 'Picture of the dialog saved as' \
  "$sshost" --library "$library" genvars --png "$work/genvars.png"
unchanged "General Variables.txt" "$2"
expect "what applies to a drawing" \
  '^Macro Splice \(Macros/Splices/Splice\.json\): gen_Clearance=5, gen_Grade=S355, gen_Clearance=10 \(standard, override 1\)$' \
  "$sshost" --library "$library" genvars --drawing "$library/Macros/Splices/Splice.json" --png "$work/genvars.png"
expect "a drawing outside the Macros folder" '^Macro BasePlate1 \(no library drawing\): gen_Grade=S355$' \
  "$sshost" --library "$library" genvars --drawing "$library/Drawings/connections.json" --png "$work/genvars.png"
printf 'format:string=something else\n' >"$library/General Variables.txt"
refuse "a file that is no general variables file" 'General Variables\.txt: "format" must be' \
  "$sshost" --library "$library" genvars --png "$work/genvars.png"
refuse "genvars without display" 'no display' "$sshost" genvars
echo "All mapping command checks passed."
