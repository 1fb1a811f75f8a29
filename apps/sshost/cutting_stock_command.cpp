#include "sshost/cutting_stock_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "core/csp2_library.h"
#include "cuttingstock/dlg_csp2.h"
#include "sshost/shell.h"

namespace sshost {
namespace {

struct CuttingStockOptions {
    bool stockMode = false;
    std::string picture;
};

int fail(const Zrk_String& message) {
    std::cerr << "sshost: " << core::toUtf8(message) << '\n';
    return 1;
}

int runCuttingStock(const CuttingStockOptions& options) {
    if (!canShowDialog(options.picture, "the cutting-stock input")) return 1;
    DlgCSP2Data data = CuttingStockLibrary::newRecord(options.stockMode);
    CuttingStockLibrary library;
    Zrk_String message;
    if (!library.read(data, &message)) return fail(message);

    if (!options.picture.empty()) {
        if (!savePictureOf(options.picture, [&data] { StartDlgCSP2(data); })) return 1;
        std::cout << "Picture of the cutting-stock input saved as " << options.picture
                  << "; nothing was written.\n";
        return 0;
    }
    const bool accepted = StartDlgCSP2(data);
    if (!accepted) {
        std::cout << "Cancelled: nothing more was written (files saved in the dialog stay saved).\n";
        return 0;
    }
    Zrk_StringArray written;
    if (!library.writeBack(data, written, &message)) {
        for (const Zrk_String& path : written)
            std::cout << "Saved " << core::toUtf8(path) << ".\n";
        return fail(message);
    }
    for (const Zrk_String& path : written)
        std::cout << "Saved " << core::toUtf8(path) << ".\n";
    std::cout << core::toUtf8(data.summary()) << '\n';
    return 0;
}

} // namespace

void addCuttingStockCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<CuttingStockOptions>();
    CLI::App* command = app.add_subcommand(
        "cutting-stock", "edit the stock and purchase lengths of the library's cutting-stock groups");
    command->add_flag("--stock-mode", options->stockMode,
                      "edit the stock lengths only, and save every group's at once");
    command->add_option("--png", options->picture,
                        "save the dialog's picture as a PNG file instead (writes nothing)");
    command->callback([&shell, options] { shell.action = [options] { return runCuttingStock(*options); }; });
}

} // namespace sshost
