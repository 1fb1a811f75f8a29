#include "sshost/sheet_commands.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "core/files.h"
#include "core/text.h"
#include "spreadlib/sheet.h"
#include "spreadlib/workbook_import.h"
#include "sshost/shell.h"

namespace sshost {
namespace {

std::string utf8(const Zrk_String& text) { return core::toUtf8(text); }

bool isCsv(const Zrk_String& path) { return isEqual(getExtension(path), "csv", true); }
bool isWorkbook(const Zrk_String& path) {
    spreadlib::WorkbookKind kind;
    return spreadlib::workbookKindOf(path, kind);
}

// Reads CSV, a workbook (its first sheet, or the one named) or the spreadsheet format, by the
// extension. Formulas of a workbook that stay text are said on standard error.
// read names the sheet of a workbook that was read.
bool load(spreadlib::Sheet& sheet, const Zrk_String& path, bool headers, const Zrk_String& sheetName,
          Zrk_String& read, Zrk_String& message) {
    if (!sheetName.empty() && !isWorkbook(path)) {
        message = "--sheet chooses a sheet of an .xlsx or .ods workbook; " + path + " is none.";
        return false;
    }
    if (isCsv(path)) return sheet.importCsv(path, headers, message);
    if (!isWorkbook(path)) return sheet.loadFromFile(path, message);
    spreadlib::WorkbookReport report;
    if (!spreadlib::importWorkbook(sheet, path, sheetName, report, message)) return false;
    read = report.sheetName;
    for (int i = 0; i < report.keptAsText.length(); ++i)
        std::cerr << "sshost: " << utf8(path) << ", sheet " << utf8(report.sheetName) << ": the formula in "
                  << utf8(report.keptAsText[i]) << " cannot be read here; the cell keeps it as text.\n";
    return true;
}

// --- convert ----------------------------------------------------------------------------------------

struct ConvertOptions {
    std::string in;
    std::string out;
    std::string sheet;
    bool headers = false;
};

int runConvert(const ConvertOptions& options) {
    const Zrk_String in = core::fromUtf8(options.in), out = core::fromUtf8(options.out);
    spreadlib::Sheet sheet;
    Zrk_String message;
    if (isWorkbook(out)) {
        std::cerr << "sshost: " << options.out << ": workbooks are read, not written; write .csv or a spreadsheet file such as .kvs.\n";
        return 1;
    }
    Zrk_String sheetRead;
    if (!load(sheet, in, options.headers, core::fromUtf8(options.sheet), sheetRead, message)) {
        std::cerr << "sshost: " << utf8(message) << '\n';
        return 1;
    }
    if (isCsv(in)) {
        int lastColumn = 0, lastRow = 0;
        sheet.getUsedExtent(lastColumn, lastRow);
        // The sheet ends where the CSV's data ends, so that scans of the sheet stop there too.
        sheet.setMaxCols(std::max(lastColumn, 1));
        sheet.setMaxRows(std::max(lastRow, 1));
    }
    const bool written = isCsv(out) ? sheet.exportCsv(out, options.headers, /*formulasAsValues=*/false, message)
                                    : sheet.saveToFile(out, message);
    if (!written) {
        std::cerr << "sshost: " << utf8(message.empty() ? out + ": the file could not be written." : message) << '\n';
        return 1;
    }
    int lastColumn = 0, lastRow = 0;
    sheet.getUsedExtent(lastColumn, lastRow);
    std::cout << "Converted " << options.in << (sheetRead.empty() ? "" : ", sheet " + utf8(sheetRead) + ",") << " to "
              << options.out << " (" << lastRow << " rows, " << lastColumn << " columns).\n";
    return 0;
}

// --- dump -------------------------------------------------------------------------------------------

struct DumpOptions {
    std::string file;
    std::string sheet;
    bool headers = false;
};

// The address of a cell: "B7"; a column header "B0", a row header "@7".
Zrk_String address(int column, int row) {
    return (column == 0 ? Zrk_String("@") : getAlfabet(column)) + intToStr(row);
}

int runDump(const DumpOptions& options) {
    const Zrk_String file = core::fromUtf8(options.file);
    spreadlib::Sheet sheet;
    Zrk_String message;
    Zrk_String sheetRead;
    if (!load(sheet, file, options.headers, core::fromUtf8(options.sheet), sheetRead, message)) {
        std::cerr << "sshost: " << utf8(message) << '\n';
        return 1;
    }
    std::cout << utf8(file) << ": " << sheet.getMaxCols() << " columns, " << sheet.getMaxRows() << " rows\n";
    std::cout << "cell\tdata\tformula\tvalue\n";
    int lastColumn = 0, lastRow = 0;
    sheet.getUsedExtent(lastColumn, lastRow);
    Zrk_String data, formula, value;
    int cells = 0;
    for (int row = 0; row <= lastRow; ++row) {
        for (int column = row == 0 ? 1 : 0; column <= sheet.getMaxCols(); ++column) {
            if (column > lastColumn && row > 0) break;
            sheet.getData(column, row, data);
            sheet.getFormula(column, row, formula);
            if (data.empty() && formula.empty()) continue;
            sheet.getValue(column, row, value);
            std::cout << utf8(address(column, row)) << '\t' << utf8(data) << '\t' << (formula.empty() ? "" : "=")
                      << utf8(formula) << '\t' << utf8(value) << '\n';
            ++cells;
        }
    }
    std::cout << cells << " cells\n";
    return 0;
}

} // namespace

void addConvertCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<ConvertOptions>();
    CLI::App* command = app.add_subcommand("convert", "convert a sheet between CSV and the spreadsheet format");
    command->add_option("in", options->in, "the file to read (.csv, .xlsx, .ods, or a spreadsheet file)")->required();
    command->add_option("out", options->out, "the file to write (.csv, or a spreadsheet file such as .kvs)")->required();
    command->add_flag("--headers", options->headers, "the first CSV record holds the column headers");
    command->add_option("--sheet", options->sheet, "the sheet of an .xlsx or .ods workbook to read (default: the first)");
    command->callback([&shell, options] { shell.action = [options] { return runConvert(*options); }; });
}

void addDumpCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<DumpOptions>();
    CLI::App* command = app.add_subcommand("dump", "list the non-empty cells of a sheet");
    command->add_option("file", options->file, "a spreadsheet file, a .csv, an .xlsx or an .ods")->required();
    command->add_flag("--headers", options->headers, "a CSV's first record holds the column headers");
    command->add_option("--sheet", options->sheet, "the sheet of an .xlsx or .ods workbook to read (default: the first)");
    command->callback([&shell, options] { shell.action = [options] { return runDump(*options); }; });
}

} // namespace sshost
