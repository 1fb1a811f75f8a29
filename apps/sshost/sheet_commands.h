#pragma once
// Spreadsheet files in the host shell:
//
//   sshost convert IN OUT [--headers]   between CSV and the spreadsheet format (by the extensions:
//                                       ".csv" is CSV, anything else the spreadsheet format)
//   sshost dump FILE [--headers]        the non-empty cells of a sheet: address, data, formula, value
//
// With --headers the first CSV record is the column headers.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addConvertCommand(CLI::App& app, Shell& shell);
void addDumpCommand(CLI::App& app, Shell& shell);
} // namespace sshost
