#pragma once
// Spreadsheet files in the host shell:
//
//   sshost convert IN OUT [--headers] [--sheet NAME]
//                       between CSV and the spreadsheet format, and from .xlsx and .ods workbooks (by
//                       the extensions: ".csv" is CSV, ".xlsx" and ".ods" workbooks, which are read
//                       only, anything else the spreadsheet format)
//   sshost dump FILE [--headers] [--sheet NAME]
//                       the non-empty cells of a sheet: address, data, formula, value
//
// With --headers the first CSV record is the column headers; --sheet names the sheet of a workbook to
// read (default: the first).

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addConvertCommand(CLI::App& app, Shell& shell);
void addDumpCommand(CLI::App& app, Shell& shell);
} // namespace sshost
