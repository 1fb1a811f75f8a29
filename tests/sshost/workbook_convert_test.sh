#!/bin/sh
# Standards kept in a spreadsheet program's workbook, read by the host shell as a person does:
#   workbook_convert_test.sh SSHOST MAKE_TEST_WORKBOOK LIBRARY
# The sample base plate standard is written as .xlsx and .ods (by the tests' own writer), converted
# and evaluated; workbooks that cannot be read are refused with their reason and write nothing.
set -u
sshost=$1
make_workbook=$2
library=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

for kind in xlsx ods; do
  "$make_workbook" "$library/sources/BasePlate.csv" "$work/Plate.$kind" || fail "writing Plate.$kind"
  expect "convert $kind" "Converted .*Plate\.$kind, sheet Standard, to .*\(17 rows, 3 columns\)" "$sshost" convert "$work/Plate.$kind" "$work/Plate-$kind.kvs"
  expect "evaluate $kind" '^Width=280\.0000000$' "$sshost" evaluate "$work/Plate-$kind.kvs" --in "Column=HEA 200" --in Overhang=40
  expect "second sheet $kind" '^A1	Written by the project' "$sshost" dump "$work/Plate.$kind" --sheet Notes
  refuse "missing sheet $kind" "has no sheet \"Nothing\" \(its sheets: Standard, Notes\)" \
    "$sshost" convert "$work/Plate.$kind" "$work/none.kvs" --sheet Nothing
done
[ ! -e "$work/none.kvs" ] || fail "a failed conversion wrote its output"

# A file that is no workbook, a workbook cut off, a missing one, writing a workbook, --sheet on CSV.
printf 'Input\nOutput\n' >"$work/Text.xlsx"
refuse "no workbook" 'Text\.xlsx: this is no \.xlsx workbook' "$sshost" convert "$work/Text.xlsx" "$work/x.kvs"
head -c 400 "$work/Plate.ods" >"$work/Cut.ods"
refuse "cut off" 'Cut\.ods: ' "$sshost" convert "$work/Cut.ods" "$work/x.kvs"
refuse "missing" 'Missing\.xlsx' "$sshost" convert "$work/Missing.xlsx" "$work/x.kvs"
refuse "write a workbook" 'workbooks are read, not written' "$sshost" convert "$work/Plate-xlsx.kvs" "$work/Out.xlsx"
refuse "sheet of a CSV" '--sheet chooses a sheet of an \.xlsx or \.ods workbook' \
  "$sshost" convert "$library/sources/BasePlate.csv" "$work/x.kvs" --sheet Standard
[ ! -e "$work/x.kvs" ] && [ ! -e "$work/Out.xlsx" ] || fail "a failed conversion wrote its output"
echo "workbook conversions: all passed"
