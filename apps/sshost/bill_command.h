#pragma once
// sshost bill ROWS.csv OUT [--settings NAME] [--title-column COLUMN] [--var NAME=VALUE]...: a bill of
// materials written into the spreadsheet file OUT through the module's bill output, from a CSV file
// of rows (the format is described in src/bill/bill_rows_file.h and the README).

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addBillCommand(CLI::App& app, Shell& shell);
} // namespace sshost
