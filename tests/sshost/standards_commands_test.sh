#!/bin/sh
# The standards commands of the host shell as a person runs them on the sample library:
#   standards_commands_test.sh SSHOST LIBRARY
# Each check prints what it ran when it fails; the script fails at the first failing check.
set -u
sshost=$1
library=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

# evaluate: outputs as lines, as JSON, and the failures with their reasons.
expect "evaluate" '^Width=280\.0000000$' "$sshost" evaluate BasePlate --in "Column=HEA 200" --in Overhang=40
expect "evaluate json" '"NrAnchors": "2"' "$sshost" evaluate BasePlate --json --in "Column=HEA 200" --in Overhang=40
expect "child" '^Flange\.NrBolts1=7$' "$sshost" evaluate Splice --in "Beam.Name=HEA 300" --in Gap=10 --in Bolts.Diameter=20
expect "general variable" '^Edge=35\.0000000$' "$sshost" evaluate EndPlate --in "Beam=IPE 300" --in Force=250 --genvar gen_Clearance=5
# A failing equation shows its message box and fails the command with the engine's reason; the
# outputs of such an evaluation are not printed.
refuse "message box on the terminal" 'The following equation failed:' "$sshost" evaluate EndPlate --in "Beam=IPE 300" --in Force=250
refuse "failing equation" 'sshost: .*EndPlate\.kvs, cell A[0-9]+: "Edge = ROUNDTO\(Diameter \* 1\.5 \+ gen_Clearance, 5\)" failed: ' \
  "$sshost" evaluate EndPlate --in "Beam=IPE 300" --in Force=250
printf '%s\n' "$out" | grep -q '^PlateHeight=' && fail "the outputs of a failed evaluation were printed:
$out"
refuse "missing sheet" 'sshost: There is no standards spreadsheet .*Nothing\.kvs' "$sshost" evaluate Nothing
refuse "unknown input" 'has no Input variable "Colour"' "$sshost" evaluate BasePlate --in Colour=red
refuse "malformed input" '--in expects NAME=VALUE' "$sshost" evaluate BasePlate --in Column
refuse "library" 'the library folder /nonexistent does not exist' "$sshost" --library /nonexistent evaluate BasePlate
refuse "library after the command" 'the library folder /nonexistent does not exist' "$sshost" evaluate BasePlate --library /nonexistent
expect "library between options" '^Width=280\.0000000$' "$sshost" evaluate BasePlate --in "Column=HEA 200" --library "$library" --in Overhang=40
# A path names its file once, as given.
refuse "missing path" '^sshost: There is no standards spreadsheet /some/path/nosuch\.kvs\.$' "$sshost" evaluate /some/path/nosuch.kvs
refuse "dump a folder" "^sshost: $work is a folder, not a file\.\$" "$sshost" dump "$work"
refuse "write into a missing folder" "cannot be written: the folder $work/no/ does not exist" \
  "$sshost" convert "$library/sources/BasePlate.csv" "$work/no/x.kvs"
expect "repeat" '^100 evaluations in .* median ' "$sshost" evaluate BasePlate --repeat 100 --in "Column=HEA 200"

# convert and dump: a sheet written as CSV computes as the library's sheet does.
expect "convert" 'Converted .* \(17 rows, 3 columns\)' "$sshost" convert "$library/sources/BasePlate.csv" "$work/Mine.kvs"
expect "converted sheet" '^Width=280\.0000000$' "$sshost" evaluate "$work/Mine.kvs" --in "Column=HEA 200" --in Overhang=40
expect "back to CSV" 'Converted' "$sshost" convert "$work/Mine.kvs" "$work/Mine.csv"
expect "CSV again" 'Converted' "$sshost" convert "$work/Mine.csv" "$work/Again.kvs"
expect "round trip" '^AnchorEdge=50\.0000000$' "$sshost" evaluate "$work/Again.kvs" --in "Column=HEA 200" --in Overhang=40
expect "dump" '^A10	Calc		Calc$' "$sshost" dump "$work/Mine.kvs"
refuse "convert a missing file" 'sshost: .*none\.csv' "$sshost" convert "$work/none.csv" "$work/x.kvs"

# A standard written as CSV with a child beside it: reading order, Int and Double formats, whole
# words, general variables (texts quoted), the child found beside its caller.
mkdir -p "$work/csv"
cat >"$work/csv/Parent.csv" <<'CSV'
Input
Double Thickness,String Grade
Output
Double Width,Int Count,String Label,Double PlateWidth,Double Sum,Double ChildOut
Local
Double Half
Calc
Half = Width / 2,Width = Thickness * 2
Count = Thickness / 4,"Label = Grade & ""/"" & gen_Finish"
PlateWidth = Width + 1,Sum = PlateWidth + Width
"CallChild(""Child.kvs"", Thickness, ChildOut)"
CSV
printf 'Input\nDouble X\nOutput\nDouble Y\nCalc\nY = X * 10 + gen_Offset\n' >"$work/csv/Child.csv"
expect "convert parent" 'Converted' "$sshost" convert "$work/csv/Parent.csv" "$work/csv/Parent.kvs"
expect "convert child" 'Converted' "$sshost" convert "$work/csv/Child.csv" "$work/csv/Child.kvs"
out=$("$sshost" evaluate "$work/csv/Parent.kvs" --in Thickness=10 --in Grade=S355 --genvar gen_Finish=galvanized \
      --genvar gen_Offset=0.5 2>&1) || fail "CSV standard: $out"
expected='Width=20.0000000
Count=2.5000000
Label=S355/galvanized
PlateWidth=21.0000000
Sum=41.0000000
ChildOut=100.5000000'
[ "$out" = "$expected" ] || fail "CSV standard: expected
$expected
got
$out"

# A general variable's value is a text literal however it is written: a quote in it is doubled.
printf 'Input\nString A\nOutput\nString S\nCalc\nS = gen_B & A\n' >"$work/Quote.csv"
expect "convert quote" 'Converted' "$sshost" convert "$work/Quote.csv" "$work/Quote.kvs"
expect "quoted general variable" '^S=a"b!$' "$sshost" evaluate "$work/Quote.kvs" --in 'A=!' --genvar 'gen_B=a"b'

# Children that call each other: the cycle is named and the command fails.
printf 'Input\nDouble A\nOutput\nDouble B\nCalc\n"CallChild(""Pong.kvs"", A, B)"\n' >"$work/Ping.csv"
printf 'Input\nDouble A\nOutput\nDouble B\nCalc\n"CallChild(""Ping.kvs"", A, B)"\n' >"$work/Pong.csv"
"$sshost" convert "$work/Ping.csv" "$work/Ping.kvs" >/dev/null && "$sshost" convert "$work/Pong.csv" "$work/Pong.kvs" >/dev/null ||
  fail "convert the ping-pong children"
refuse "child cycle" 'nested more than 16 levels deep: .*Ping\.kvs -> .*Pong\.kvs -> ' "$sshost" evaluate "$work/Ping.kvs" --in A=1

# A formula nested too deeply fails with the formula engine's own reason.
nested=A
i=0
while [ $i -lt 200 ]; do nested="($nested + 1)"; i=$((i + 1)); done
printf 'Input\nDouble A\nOutput\nDouble B\nCalc\nB = %s\n' "$nested" >"$work/Deep.csv"
expect "convert deep" 'Converted' "$sshost" convert "$work/Deep.csv" "$work/Deep.kvs"
refuse "nested formula" 'failed: The formula is nested too deeply' "$sshost" evaluate "$work/Deep.kvs" --in A=1

# Files the standards read are checked: a section table cut short is named with its line, and the
# plate's width is an error value, not a number computed from nothing.
cp -r "$library" "$work/lib"
head -c 420 "$library/prof/HEA.pr" >"$work/lib/prof/HEA.pr"
out=$("$sshost" --library "$work/lib" evaluate BasePlate --in "Column=HEA 200" --in Overhang=40 2>&1)
printf '%s\n' "$out" | grep -q '^Width=#VALUE!$' || fail "truncated section table: $out"
printf '%s\n' "$out" | grep -q 'HEA\.pr, line 9: expected 11 cells separated by tabs' || fail "truncated section table named: $out"
cp "$library/prof/HEA.pr" "$work/lib/prof/HEA.pr"
printf '\001\377\000garbage\n' >"$work/lib/Connection Standards/Data/Plates.txt"
out=$("$sshost" --library "$work/lib" evaluate BasePlate --in "Column=HEA 200" --in Overhang=40 2>&1)
printf '%s\n' "$out" | grep -q 'STDTHICKNESSWITHTOLERANCE rounds without sizes: .*Plates\.txt, line 1: not text' ||
  fail "sizes file of random bytes: $out"
rm "$work/lib/Connection Standards/Data/AnchorBolts.txt"
out=$("$sshost" --library "$work/lib" evaluate BasePlate --in "Column=HEA 200" --in Overhang=40 2>&1)
printf '%s\n' "$out" | grep -q 'GETPROFCELL("AnchorBolts.txt", "HEA-200"): there is no data file AnchorBolts\.txt' || fail "missing data table: $out"
rm -rf "$work/lib"

# Error values: each Output and Local that holds one is named with its equation and the first failing
# call; exit status 2 (1 stays "could not evaluate"); --allow-errors passes.
out=$("$sshost" evaluate BasePlate --in "Column=XYZ 1" --in Overhang=40 2>&1)
status=$?
[ $status -eq 2 ] || fail "error values: exit status $status, expected 2:
$out"
printf '%s\n' "$out" | grep -q '^sshost: .*BasePlate\.kvs, cell A6: the Output AnchorDiameter is #VALUE!$' ||
  fail "error value named: $out"
printf '%s\n' "$out" | grep -q '^  equation in cell A16: AnchorDiameter = TONUMBER(GETPROFCELL("AnchorBolts.txt", Section))$' ||
  fail "equation of the error value: $out"
printf '%s\n' "$out" | grep -q 'first failing call, in cell A12 (Flange = SECTIONSIZE(Section, 4)): SECTIONSIZE("XYZ 1", 4): the section tables (.*/prof/\*\.pr) have no section "XYZ 1"\.$' ||
  fail "first failing call with its arguments and reason: $out"
printf '%s\n' "$out" | grep -q '^  through Thickness (cell A13), MinThickness (cell B12), Flange (cell A12)$' ||
  fail "the way of the error: $out"
printf '%s\n' "$out" | grep -q '^sshost: .*cell B8: the Local ColumnHeight is #VALUE!$' || fail "Locals reported: $out"
expect "allowed error values" '^Width=#VALUE!$' "$sshost" evaluate BasePlate --in "Column=XYZ 1" --allow-errors
out=$("$sshost" evaluate BasePlate --in "Column=HEA 200" 2>&1) || fail "no error values: $out"
printf '%s\n' "$out" | grep -q 'is #' && fail "error values reported where there are none: $out"

# --explain: the equations an Output depends on in the order they ran, the given values, the rows read.
expect "explain" '^    A14  Width = STDWIDTHWITHTOLERANCE\("Plates\.txt", 10, Thickness, ColumnWidth \+ 2 \* Overhang, 0, 60\)$' \
  "$sshost" evaluate BasePlate --in "Column=HEA 200" --in Overhang=40 --explain Width
for line in '^How Width got its value: 280\.0000000$' '^    Column = HEA 200  \(Input, cell A3\)$' \
            'read .*/prof/HEA\.pr, line [0-9]+: HEA-200, column 2: 200\.0 \(SECTIONSIZE\)$' \
            'read .*Plates\.txt: no size fits within the tolerances: rounded to 280 \(STDWIDTHWITHTOLERANCE\)$' '^        -> Width = 280\.0000000$'; do
  printf '%s\n' "$out" | grep -Eq -- "$line" || fail "explain: no \"$line\" in:
$out"
done
printf '%s\n' "$out" | grep -q 'AnchorBolts' && fail "explain lists an equation Width does not depend on: $out"
refuse "explain an unknown name" 'has no variable "Nope"; its Outputs are Width, Length, Thickness, AnchorDiameter' \
  "$sshost" evaluate BasePlate --in "Column=HEA 200" --explain Nope

# standards: a macro of the sample drawing, saved to a copy.
cp "$library/Drawings/connections.json" "$work/drawing.json"
expect "macro" 'Output Double Width = 280\.0000000' "$sshost" standards --drawing "$work/drawing.json" --macro BasePlate1 --sheet BasePlate
expect "module group" 'Output String Web.NrBolts1 = 3' "$sshost" standards --drawing "$work/drawing.json" --macro Splice1 --sheet Splice --key Module.Splice --save
grep -q '"nrBolts1": "3"' "$work/drawing.json" || fail "the saved drawing holds the new bolt count"
refuse "unknown macro" 'has no macro "Nope"; its macros are BasePlate1, EndPlate1, Splice1' "$sshost" standards --drawing "$work/drawing.json" --macro Nope --sheet BasePlate
# Without its mapping file, or with a mapping that misses an Input, the evaluation fails and the
# drawing is not saved.
cp -r "$library" "$work/lib"
cp "$work/drawing.json" "$work/before.json"
rm "$work/lib/Connection Standards/BasePlate.map"
refuse "missing mapping" 'BasePlate\.map: the mapping file does not exist\.' \
  "$sshost" --library "$work/lib" standards --drawing "$work/drawing.json" --macro BasePlate1 --sheet BasePlate --save
cmp -s "$work/drawing.json" "$work/before.json" || fail "the drawing was saved from an evaluation without mapping"
LC_ALL=C grep -av '^BasePlate1=' "$library/Connection Standards/BasePlate.map" >"$work/lib/Connection Standards/BasePlate.map"
LC_ALL=C grep -a '^BasePlate1=' "$library/Connection Standards/BasePlate.map" | LC_ALL=C sed 's/\xbfOverhang\x83[^\xbf]*//' \
  >>"$work/lib/Connection Standards/BasePlate.map"
refuse "partial mapping" 'the Input variable Overhang cannot be read from the macro' \
  "$sshost" --library "$work/lib" standards --drawing "$work/drawing.json" --macro BasePlate1 --sheet BasePlate --save
cmp -s "$work/drawing.json" "$work/before.json" || fail "the drawing was saved from an evaluation that missed an Input"
# An Output holding an error value leaves the drawing as it was (exit 2); --allow-errors writes the
# other Outputs.
cp "$library/Connection Standards/BasePlate.map" "$work/lib/Connection Standards/BasePlate.map"
rm "$work/lib/Connection Standards/Data/AnchorBolts.txt"
out=$("$sshost" --library "$work/lib" standards --drawing "$work/drawing.json" --macro BasePlate1 --sheet BasePlate --save 2>&1)
status=$?
[ $status -eq 2 ] || fail "macro with error values: exit status $status, expected 2:
$out"
printf '%s\n' "$out" | grep -q 'the drawing is left as it was (--allow-errors writes the other Outputs)' || fail "macro with error values: $out"
cmp -s "$work/drawing.json" "$work/before.json" || fail "the drawing was saved from an evaluation with error values"
expect "macro with allowed error values" '^Saved ' \
  "$sshost" --library "$work/lib" standards --drawing "$work/drawing.json" --macro BasePlate1 --sheet BasePlate --save --allow-errors
rm -rf "$work/lib"

# test-standard: the sample library's cases pass; a wrong expectation is reported.
for standard in BasePlate EndPlate Splice; do
  expect "cases of $standard" 'cases: [0-9]+ passed, 0 failed\.' "$sshost" test-standard "$library/Connection Standards/$standard.cases"
done
printf 'standard %s\ncase wrong\nin Column = HEA 200\nout Width = 1\n' "$library/Connection Standards/BasePlate.kvs" >"$work/wrong.cases"
refuse "mismatch" 'Width is "200\.0000000", expected "1"' "$sshost" test-standard "$work/wrong.cases"
printf 'case x\nbogus line\n' >"$work/bad.cases"
refuse "cases syntax" 'bad\.cases:2: expected case, in, genvar' "$sshost" test-standard "$work/bad.cases"
echo "All standards commands behave."
