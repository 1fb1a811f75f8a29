#!/bin/sh
# The section library commands of the host shell as a person runs them on a copy of the sample
# library: section_commands_test.sh SSHOST LIBRARY
# Each check prints what it ran when it fails; the script fails at the first failing check.
set -u
sshost=$1
library=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

mkdir -p "$work/lib"
cp -r "$library/prof" "$library/User Sections" "$library/Connection Standards" "$work/lib/"
lib="$work/lib"
tab=$(printf '\t')

# add-section: a new angle named from its dimensions, written in sorted place.
expect "add an angle" 'Added the section L-45x45x5 to the table L as row 2 \(active section 2\); written to' \
  "$sshost" --library "$lib" add-section L 40x40x4 --value A=45 --value 2=45 --value c=5 --ok
grep -q "^45x45x5${tab}1${tab}L 45x45x5${tab}L 45x45x5${tab}L 45x45x5${tab}L 45x45x5${tab}45.0${tab}45.0${tab}5.0${tab}6.0$" "$lib/prof/L.pr" ||
  fail "the new angle is the second line of sections in L.pr"
[ "$(sed -n 5p "$lib/prof/L.pr" | cut -f1)" = "45x45x5" ] || fail "the new angle follows 40x40x4"
before=$(cksum <"$lib/prof/L.pr")

# Refusals write nothing.
refuse "the name is taken" 'There is already a section of that name in the table: 45x45x5\.' \
  "$sshost" --library "$lib" add-section L 40x40x4 --value A=45 --value B=45 --value C=5 --ok
refuse "no such table" 'Nothing.pr: the file cannot be read: No such file or directory\.$' "$sshost" --library "$lib" add-section Nothing 1 --ok
refuse "no such section" 'the section table L has no section "33x33x3"' "$sshost" --library "$lib" add-section L 33x33x3 --ok
refuse "no such field" 'has 4 dimensions; there is no field 7' "$sshost" --library "$lib" add-section L 40x40x4 --value G=1 --ok
refuse "bad field" '--value expects a dimension field 1 to 11 \(or A to K\), found "Z"' "$sshost" --library "$lib" add-section L 40x40x4 --value Z=1 --ok
refuse "no display" 'there is no display to show the dialog on' "$sshost" --library "$lib" add-section L 40x40x4
expect "picture" 'Picture of the add-section dialog saved as' \
  "$sshost" --library "$lib" add-section L 40x40x4 --value A=47 --png "$work/add-section.png"
[ "$(head -c 4 "$work/add-section.png" | tail -c 3)" = "PNG" ] || fail "the picture is a PNG file"
[ "$(cksum <"$lib/prof/L.pr")" = "$before" ] || fail "refusals and pictures leave L.pr as it was"

# An own name, in every language.
expect "own name" 'Added the section FL-Wide 300 to the table FL' \
  "$sshost" --library "$lib" add-section FL 20x5 --name "Wide 300" --value A=300 --ok
grep -q "^Wide 300${tab}1${tab}Wide 300${tab}Wide 300${tab}Wide 300${tab}Wide 300${tab}300.0${tab}5.0$" "$lib/prof/FL.pr" ||
  fail "the own name is the system name and every language's name"

# The section library editor's picture, on its groups page and on a table's page.
expect "sections picture" 'Picture of the section library saved as' "$sshost" --library "$lib" sections --png "$work/library.png"
expect "sections start" 'Picture of the section library saved as' "$sshost" --library "$lib" sections --start L-45x45x5 --png "$work/tables.png"
refuse "sections without display" 'there is no display to show the section library on' "$sshost" --library "$lib" sections
mkdir -p "$work/bad/prof"
printf 'SS section library 1\ngroup\tx\n' >"$work/bad/prof/SectionLibrary.txt"
refuse "faulty library file" 'SectionLibrary.txt, line 2: expected a group' "$sshost" --library "$work/bad" sections --png "$work/x.png"

# A section added through the shell is found by the standards: HEA 210, named after its width.
expect "add a beam" 'Added the section HEA-210 to the table HEA' "$sshost" --library "$lib" add-section HEA 200 --value B=210 --ok
sed 's/"HEA-200"/"HEA-210"/' "$library/Drawings/connections.json" >"$work/drawing.json"
# The base plate's anchor table is keyed by the name the section carries; give the new column its line.
printf 'HEA-210\t20\n' >>"$lib/Connection Standards/Data/AnchorBolts.txt"
expect "standards find it" 'Output Double Width = 290\.0000000' \
  "$sshost" --library "$lib" standards --drawing "$work/drawing.json" --macro BasePlate1 --sheet BasePlate
expect "by its display name" '^Width=290\.0000000$' "$sshost" --library "$lib" evaluate BasePlate --in "Column=HEA 210" --in Overhang=40
echo "All section library commands behave."
