#include "sshost/cutting_stock_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>

#include "core/codepage.h"
#include "core/csp2_library.h"
#include "cuttingstock/dlg_csp2.h"
#include "sshost/shell.h"
#include "ui/application.h"
#include "ui/user_interaction.h"

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
    if (options.picture.empty() && ui::isHeadless())
        return fail(
            "there is no display to show the cutting-stock input on; save its picture with --png FILE.");
    DlgCSP2Data data = CuttingStockLibrary::newRecord(options.stockMode);
    CuttingStockLibrary library;
    Zrk_String message;
    if (!library.read(data, &message)) return fail(message);

    std::optional<ui::PictureTaker> taker;
    if (!options.picture.empty()) taker.emplace(core::fromUtf8(options.picture));
    const bool accepted = StartDlgCSP2(data);
    if (taker) {
        if (!taker->taken())
            return fail(taker->error().empty() ? Zrk_String("the dialog did not show itself.")
                                               : taker->error());
        std::cout << "Picture of the cutting-stock input saved as " << options.picture
                  << "; nothing was written.\n";
        return 0;
    }
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
