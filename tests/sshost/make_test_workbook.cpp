// Writes a sheet given as CSV as an .xlsx or .ods workbook, as a spreadsheet program would save it, for
// the host shell's tests of reading workbooks:
//   make_test_workbook IN.csv OUT.xlsx|OUT.ods [SHEET]
// The CSV is the first sheet, named SHEET (default "Standard"); a second sheet "Notes" holds one text.
// Fields that read as numbers are numbers; "=..." a formula.
#include <fstream>
#include <iostream>

#include "../spreadlib/workbook_files.h"
#include "core/codepage.h"
#include "core/text.h"
#include "spreadlib/sheet.h"
#include "spreadlib/workbook_import.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make_test_workbook IN.csv OUT.xlsx|OUT.ods [SHEET]\n";
        return 2;
    }
    spreadlib::WorkbookKind kind;
    if (!spreadlib::workbookKindOf(argv[2], kind)) {
        std::cerr << "make_test_workbook: " << argv[2] << " is no .xlsx or .ods\n";
        return 2;
    }
    spreadlib::Sheet sheet;
    Zrk_String message;
    if (!sheet.importCsv(argv[1], false, message)) {
        std::cerr << "make_test_workbook: " << core::toUtf8(message) << '\n';
        return 1;
    }
    spreadlib::test::WorkbookSheet standard{argc > 3 ? argv[3] : "Standard", {}};
    int lastCol = 0, lastRow = 0;
    sheet.getUsedExtent(lastCol, lastRow);
    for (int row = 1; row <= lastRow; ++row)
        for (int col = 1; col <= lastCol; ++col) {
            Zrk_String data, formula;
            sheet.getData(col, row, data);
            sheet.getFormula(col, row, formula);
            const std::string place = core::toUtf8(getAlfabet(col)) + std::to_string(row);
            double number = 0.0;
            if (!formula.empty())
                standard.cells.push_back({place, (kind == spreadlib::WorkbookKind::Ods ? "f:of:=" : "f:") +
                                                     core::toUtf8(formula)});
            else if (!data.empty() && sheet.getFloat(col, row, number) &&
                     data.find_first_not_of("0123456789.-+eE") == Zrk_String::npos)
                standard.cells.push_back({place, "n:" + core::toUtf8(data)});
            else if (!data.empty())
                standard.cells.push_back({place, "s:" + core::toUtf8(data)});
        }
    const std::vector<spreadlib::test::WorkbookSheet> sheets{
        standard, {"Notes", {{"A1", "s:Written by the project's tests."}}}};
    const std::string bytes = kind == spreadlib::WorkbookKind::Xlsx ? spreadlib::test::xlsxWorkbook(sheets)
                                                                    : spreadlib::test::odsWorkbook(sheets);
    std::ofstream out(argv[2], std::ios::binary);
    out << bytes;
    if (!out.flush()) {
        std::cerr << "make_test_workbook: " << argv[2] << " could not be written\n";
        return 1;
    }
    return 0;
}
