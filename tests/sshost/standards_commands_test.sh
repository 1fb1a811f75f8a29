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

fail() {
  echo "FAILED: $1" >&2
  exit 1
}
# expect NAME PATTERN COMMAND...: the command succeeds and its output (both streams) matches PATTERN.
expect() {
  name=$1 pattern=$2
  shift 2
  out=$("$@" 2>&1) || fail "$name: exit status $? from $*:
$out"
  printf '%s\n' "$out" | grep -Eq -- "$pattern" || fail "$name: no \"$pattern\" in the output of $*:
$out"
}
# refuse NAME PATTERN COMMAND...: the command fails and its output matches PATTERN.
refuse() {
  name=$1 pattern=$2
  shift 2
  if out=$("$@" 2>&1); then fail "$name: $* succeeded:
$out"; fi
  printf '%s\n' "$out" | grep -Eq -- "$pattern" || fail "$name: no \"$pattern\" in the output of $*:
$out"
}

# evaluate: outputs as lines, as JSON, and the failures with their reasons.
expect "evaluate" '^Width=280\.0000000$' "$sshost" evaluate BasePlate --in "Column=HEA 200" --in Overhang=40
expect "evaluate json" '"NrAnchors": "2"' "$sshost" evaluate BasePlate --json --in "Column=HEA 200" --in Overhang=40
expect "child" '^Flange\.NrBolts1=7$' "$sshost" evaluate Splice --in "Beam.Name=HEA 300" --in Gap=10 --in Bolts.Diameter=20
expect "general variable" '^Edge=35\.0000000$' "$sshost" evaluate EndPlate --in "Beam=IPE 300" --in Force=250 --genvar gen_Clearance=5
expect "message box on the terminal" 'The following equation failed:' "$sshost" evaluate EndPlate --in "Beam=IPE 300" --in Force=250
refuse "missing sheet" 'sshost: There is no standards spreadsheet .*Nothing\.kvs' "$sshost" evaluate Nothing
refuse "unknown input" 'has no Input variable "Colour"' "$sshost" evaluate BasePlate --in Colour=red
refuse "malformed input" '--in expects NAME=VALUE' "$sshost" evaluate BasePlate --in Column
refuse "library" 'the library folder /nonexistent does not exist' "$sshost" --library /nonexistent evaluate BasePlate
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

# standards: a macro of the sample drawing, saved to a copy.
cp "$library/Drawings/connections.json" "$work/drawing.json"
expect "macro" 'Output Double Width = 280\.0000000' "$sshost" standards --drawing "$work/drawing.json" --macro BasePlate1 --sheet BasePlate
expect "module group" 'Output String Web.NrBolts1 = 3' "$sshost" standards --drawing "$work/drawing.json" --macro Splice1 --sheet Splice --key Module.Splice --save
grep -q '"nrBolts1": "3"' "$work/drawing.json" || fail "the saved drawing holds the new bolt count"
refuse "unknown macro" 'has no macro "Nope"; its macros are BasePlate1, EndPlate1, Splice1' "$sshost" standards --drawing "$work/drawing.json" --macro Nope --sheet BasePlate

# test-standard: the sample library's cases pass; a wrong expectation is reported.
for standard in BasePlate EndPlate Splice; do
  expect "cases of $standard" 'cases: [0-9]+ passed, 0 failed\.' "$sshost" test-standard "$library/Connection Standards/$standard.cases"
done
printf 'standard %s\ncase wrong\nin Column = HEA 200\nout Width = 1\n' "$library/Connection Standards/BasePlate.kvs" >"$work/wrong.cases"
refuse "mismatch" 'Width is "200\.0000000", expected "1"' "$sshost" test-standard "$work/wrong.cases"
printf 'case x\nbogus line\n' >"$work/bad.cases"
refuse "cases syntax" 'bad\.cases:2: expected case, in, genvar' "$sshost" test-standard "$work/bad.cases"
echo "All standards commands behave."
