#include "sshost/mapping_commands.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "constraints/dlg_macro_settings.h"
#include "core/codepage.h"
#include "core/files.h"
#include "core/gen_vars.h"
#include "core/macro_settings.h"
#include "core/settings.h"
#include "core/text.h"
#include "host/document.h"
#include "sshost/macro_standard.h"
#include "sshost/shell.h"
#include "standards/dlg_gen_vars.h"
#include "ui/application.h"
#include "ui/user_interaction.h"

namespace sshost {
namespace {

std::string utf8(const Zrk_String& text) {
    return core::toUtf8(text);
}

int fail(const std::string& message) {
    std::cerr << "sshost: " << message << '\n';
    return 1;
}

// Without a display a dialog can only be looked at as a picture.
bool canShow(const std::string& picture) {
    if (!picture.empty() || !ui::isHeadless()) return true;
    std::cerr << "sshost: there is no display to show the dialog on; save its picture with --png FILE.\n";
    return false;
}

// The picture was saved (or the person saw the dialog); false with the reason printed.
bool pictureSaved(const std::optional<ui::PictureTaker>& taker, const std::string& picture) {
    if (!taker) return true;
    if (!taker->taken()) {
        std::cerr << "sshost: "
                  << (taker->error().empty() ? std::string("the dialog did not show itself.")
                                             : utf8(taker->error()))
                  << '\n';
        return false;
    }
    std::cout << "Picture of the dialog saved as " << picture << "; nothing was written.\n";
    return true;
}

// Opens the drawing as the host's own; false with the reason printed.
bool openDrawing(const std::string& path, host::Document& document) {
    Zrk_String message;
    if (document.open(core::fromUtf8(path), message)) return true;
    std::cerr << "sshost: " << utf8(message) << '\n';
    return false;
}

// --- mapping ---------------------------------------------------------------------------------------

struct MappingOptions {
    std::string drawing;
    std::string macro;
    std::string picture;
    int firstPage = DlgMacroSettings::kStandardsPage; // of the macro settings dialog
};

void printStandards(const TabMappingData& mapping) {
    if (mapping.ssNames.isEmpty()) std::cout << "  (no standards)\n";
    for (int i = 0; i < mapping.ssNames.length() && i < mapping.mappingRefs.length(); ++i) {
        const Zrk_String& ref = mapping.mappingRefs[i];
        Zrk_String module;
        std::cout << "  " << utf8(mapping.ssNames[i]) << ": "
                  << (TabMappingData::isModuleRef(ref, &module) ? "module " + utf8(module)
                      : ref.empty() ? std::string("entire macro, no mapping record")
                                    : "entire macro, mapping key " + utf8(ref))
                  << '\n';
    }
}

int runMapping(const MappingOptions& options) {
    if (!canShow(options.picture)) return 1;
    ui::TerminalMessageBoxes terminal;
    host::Document& document = host::Document::current();
    if (!openDrawing(options.drawing, document)) return 1;
    const Zrk_DbMacro* macro = document.database().findMacroByName(core::fromUtf8(options.macro));
    if (!macro) return fail("The drawing " + options.drawing + " has no macro \"" + options.macro + "\".");

    std::optional<ui::PictureTaker> taker;
    if (!options.picture.empty()) taker.emplace(core::fromUtf8(options.picture));
    const bool accepted = StartDlgMacroSettings(macro->objectId(), options.firstPage);
    if (!pictureSaved(taker, options.picture)) return 1;
    if (taker) return 0;
    if (!accepted) {
        std::cout << "Cancelled: the drawing was not changed (mapping records the standards page wrote stay "
                     "in the mapping files, under keys nothing names).\n";
        return 0;
    }
    Zrk_String message;
    if (!document.save(message)) return fail(utf8(message));
    std::cout << "The settings of " << options.macro << " were written. Its standards:\n";
    printStandards(macro->macro()->settings.tabMapping);
    std::cout << "Saved " << utf8(document.path()) << ".\n";
    return 0;
}

// --- genvars ----------------------------------------------------------------------------------------

struct GenVarsOptions {
    std::string drawing;
    std::string picture;
};

void printApplying(const KvAutoStandardsData& data, host::Document& document) {
    core::Drawing& drawing = document.database();
    for (int m = 0; m < drawing.macroCount(); ++m) {
        const Zrk_Macro& macro = *drawing.macroAt(m)->macro();
        const Zrk_String library = macroLibraryDrawing(document, macro);
        std::cout << "Macro " << utf8(macro.name)
                  << (library.empty() ? std::string(" (no library drawing)")
                                      : " (Macros/" + utf8(library) + ")")
                  << ":";
        bool any = false;
        auto show = [&](const Zrk_StringArray& names, const Zrk_StringArray& values,
                        const Zrk_StringArray& filters, const Zrk_StringArray* overrides) {
            for (int i = 0; i < names.length(); ++i) {
                const Zrk_String filter = filters.isValid(i) ? filters[i] : Zrk_String();
                // A macro without a library drawing gets only the variables without a filter.
                if (names[i].empty() || !KvAutoStandardsData::filterCovers(filter, library)) continue;
                std::cout << (any ? ", " : " ") << utf8(names[i]) << '='
                          << utf8(values.isValid(i) ? values[i] : Zrk_String());
                if (overrides)
                    std::cout << " (standard, override "
                              << utf8(overrides->isValid(i) ? (*overrides)[i] : Zrk_String()) << ')';
                any = true;
            }
        };
        show(data.dwgGenVars(), data.dwgGenValues(), data.dwgGenFilters(), nullptr);
        show(data.stdGenVars(), data.stdGenValues(), data.stdGenFilters(), &data.stdGenOverrides());
        std::cout << (any ? "" : " none") << '\n';
    }
}

int runGenVars(const GenVarsOptions& options) {
    if (!canShow(options.picture)) return 1;
    ui::TerminalMessageBoxes terminal;
    host::Document& document = host::Document::current();
    if (!options.drawing.empty() && !openDrawing(options.drawing, document)) return 1;
    const Zrk_String path = KvAutoStandardsData::libraryFile(gSettings.libDir);
    KvAutoStandardsData data;
    Zrk_String message;
    if (!data.readFromFile(path, &message)) return fail(utf8(message));

    std::optional<ui::PictureTaker> taker;
    if (!options.picture.empty()) taker.emplace(core::fromUtf8(options.picture));
    const bool accepted = StartDlgGenVars(data);
    if (!pictureSaved(taker, options.picture)) return 1;
    if (!taker) {
        if (accepted) {
            if (!data.writeToFile(path))
                return fail("The general variables could not be written to " + utf8(path) + ".");
            std::cout << "Saved " << utf8(path) << ".\n";
        } else {
            std::cout << "Cancelled: " << utf8(path) << " was not changed.\n";
        }
    }
    if (!options.drawing.empty()) printApplying(data, document);
    return 0;
}

} // namespace

void addMappingCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<MappingOptions>();
    CLI::App* command = app.add_subcommand(
        "mapping", "edit the standards of a macro of a drawing (the macro settings on their standards page)");
    command->add_option("--drawing", options->drawing, "the drawing file")->required();
    command->add_option("--macro", options->macro, "the macro's name")->required();
    command->add_option("--png", options->picture,
                        "save the dialog's picture as a PNG file instead (writes nothing)");
    command->callback([&shell, options] { shell.action = [options] { return runMapping(*options); }; });
}

void addSettingsCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<MappingOptions>();
    options->firstPage = DlgMacroSettings::kAnglePage;
    CLI::App* command =
        app.add_subcommand("settings", "edit the general settings of a macro of a drawing (filters, lists, "
                                       "variables, groups, standards)");
    command->add_option("--drawing", options->drawing, "the drawing file")->required();
    command->add_option("--macro", options->macro, "the macro's name")->required();
    command->add_option("--png", options->picture,
                        "save the dialog's picture as a PNG file instead (writes nothing)");
    command->callback([&shell, options] { shell.action = [options] { return runMapping(*options); }; });
}

void addGenVarsCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<GenVarsOptions>();
    CLI::App* command = app.add_subcommand("genvars", "edit the library's general variables");
    command->add_option("--drawing", options->drawing,
                        "afterwards list the general variables that apply to each macro of this drawing");
    command->add_option("--png", options->picture,
                        "save the dialog's picture as a PNG file instead (writes nothing)");
    command->callback([&shell, options] { shell.action = [options] { return runGenVars(*options); }; });
}

} // namespace sshost
