#include "sshost/bill_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "bill/bill_rows_file.h"
#include "sshost/progress.h"
#include "sshost/shell.h"

namespace sshost {

void addBillCommand(CLI::App& app, Shell& shell) {
    auto request = std::make_shared<bill::BillRequest>();
    CLI::App* command = app.add_subcommand("bill", "write a bill of materials from a CSV file of rows into a spreadsheet file");
    command->add_option("rows", request->rowsFile, "the CSV file of rows (columns, kinds, row, subtotal, variable records)")
        ->required();
    command->add_option("out", request->billFile, "the spreadsheet file to write")->required();
    command->add_option("--settings", request->settingsName,
                        "the document settings (NAME.kvd in the product folder); default: the editor's default settings");
    command->add_option("--title-column", request->titleColumn,
                        "the column (name or number) whose text titles each row's picture; with it every row gets a picture");
    command->add_option("--var", request->variables, "a further document variable NAME=VALUE (repeatable)");
    command->callback([&shell, request] {
        shell.action = [request] {
            std::string summary, message;
            TerminalProgress progress("bill", "rows");
            request->progress = [&progress](std::size_t done, std::size_t total) { progress.update(done, total); };
            const bool written = bill::writeBillFromRows(*request, summary, message);
            request->progress = nullptr;
            progress.finish();
            if (!written) {
                std::cerr << "sshost: " << message << '\n';
                return 1;
            }
            std::cout << summary << '\n';
            return 0;
        };
    });
}

} // namespace sshost
