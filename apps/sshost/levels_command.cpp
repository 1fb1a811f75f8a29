#include "sshost/levels_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>

#include "core/codepage.h"
#include "core/levels_data.h"
#include "core/text.h"
#include "dialogs/dlg_levels.h"
#include "host/document.h"
#include "sshost/shell.h"
#include "ui/application.h"
#include "ui/user_interaction.h"

namespace sshost {
namespace {

struct LevelsOptions {
    std::string drawing;
    std::string picture;
};

int fail(const std::string& message) {
    std::cerr << "sshost: " << message << '\n';
    return 1;
}

void printLevels(const KvLevelsDlgData& levels) {
    if (levels.levels.isEmpty()) std::cout << "  (no levels)\n";
    for (int i = 0; i < levels.levels.length(); ++i) {
        Zrk_String name, reference;
        double relative = 0.0, absolute = 0.0;
        if (levels.getLevelData(i, name, reference, relative, absolute) != Acad::eOk) continue;
        std::cout << "  " << core::toUtf8(name) << ": " << core::toUtf8(doubleToStr(absolute, 3)) << " ("
                  << core::toUtf8(doubleToStr(relative, 3)) << " from "
                  << (reference.empty() ? std::string("wcs") : core::toUtf8(reference)) << ")\n";
    }
}

int runLevels(const LevelsOptions& options) {
    if (options.picture.empty() && ui::isHeadless())
        return fail("there is no display to show the levels on; save their picture with --png FILE.");
    host::Document& document = host::Document::current();
    Zrk_String message;
    if (!document.open(core::fromUtf8(options.drawing), message)) return fail(core::toUtf8(message));
    KvLevelsDlgData levels;
    if (levels.initialize(nullptr) != Acad::eOk) return fail("the drawing is not the working drawing.");
    const KvLevelsDlgData before = levels;

    std::optional<ui::PictureTaker> taker;
    if (!options.picture.empty()) taker.emplace(core::fromUtf8(options.picture));
    const bool accepted = StartDlgLevels(levels);
    if (taker) {
        if (!taker->taken())
            return fail(taker->error().empty() ? std::string("the dialog did not show itself.")
                                               : core::toUtf8(taker->error()));
        std::cout << "Picture of the levels saved as " << options.picture << "; nothing was written.\n";
        return 0;
    }
    if (!accepted || levels.levels == before.levels) {
        std::cout << (accepted ? "No level was changed" : "Cancelled") << ": " << options.drawing
                  << " was not written.\n";
        return 0;
    }
    if (levels.setRealLevels() != Acad::eOk) return fail("the levels could not be put into the drawing.");
    if (!document.save(message)) return fail(core::toUtf8(message));
    std::cout << "The levels of " << options.drawing << ":\n";
    printLevels(levels);
    std::cout << "Saved " << core::toUtf8(document.path()) << ".\n";
    return 0;
}

} // namespace

void addLevelsCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<LevelsOptions>();
    CLI::App* command = app.add_subcommand("levels", "edit the building levels of a drawing");
    command->add_option("--drawing", options->drawing, "the drawing file")->required();
    command->add_option("--png", options->picture,
                        "save the dialog's picture as a PNG file instead (writes nothing)");
    command->callback([&shell, options] { shell.action = [options] { return runLevels(*options); }; });
}

} // namespace sshost
