#include "sshost/macro_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "core/text.h"
#include "host/document.h"
#include "macrodlg/dlg_macro.h"
#include "sshost/shell.h"
#include "ui/application.h"
#include "ui/message_box.h"

namespace sshost {
namespace {

struct MacroOptions {
    std::string drawing;
    std::string macros;
    std::vector<std::string> values;
    bool save = false;
    std::string picture;
};

int fail(const std::string& message) {
    std::cerr << "sshost: " << message << '\n';
    return 1;
}

int runMacro(const MacroOptions& options) {
    if (options.values.empty() && !canShowDialog(options.picture, "the macro dialog")) return 1;
    std::vector<std::pair<Zrk_String, Zrk_String>> values;
    for (const std::string& each : options.values) {
        const auto equals = each.find('=');
        if (equals == std::string::npos || equals == 0)
            return fail("--set takes NAME=VALUE, not \"" + each + "\".");
        values.emplace_back(core::fromUtf8(each.substr(0, equals)), core::fromUtf8(each.substr(equals + 1)));
    }
    host::Document& document = host::Document::current();
    Zrk_String message;
    if (!document.open(core::fromUtf8(options.drawing), message)) return fail(core::toUtf8(message));
    AcArray<AcDbObjectId> ids;
    Zrk_StringArray names;
    strToArr(core::fromUtf8(options.macros), names, ',');
    for (const Zrk_String& each : names) {
        const Zrk_String name = trimmed(each);
        const Zrk_DbMacro* macro = name.empty() ? nullptr : document.database().findMacroByName(name);
        if (!macro) return fail(options.drawing + " has no macro \"" + core::toUtf8(name) + "\".");
        ids.append(macro->objectId());
    }
    MacroData data;
    if (ids.isEmpty() || !data.initFromMacros(ids))
        return fail("no macro of " + options.drawing + " to edit.");

    int changes = 0;
    if (!options.picture.empty()) {
        if (!savePictureOf(options.picture, [&] { changes = runMacroDialog(data); })) return 1;
        std::cout << "Picture of the macro dialog saved as " << options.picture << "; nothing was written.\n";
        return 0;
    }
    if (!values.empty()) {
        Zrk_String failure;
        if (!enterMacroValues(data, values, changes, failure))
            return fail(core::toUtf8(failure) + " " + options.drawing + " was not written.");
    } else {
        changes = runMacroDialog(data);
    }
    if (changes == 0) {
        std::cout << "Nothing was changed: " << options.drawing << " was not written.\n";
        return 0;
    }
    bool save = options.save;
    if (!save && values.empty())
        save = ui::messageBox("Save the changes to " + core::fromUtf8(options.drawing) + "?", "Macro",
                              ui::MB_YESNO | ui::MB_ICONQUESTION) == ui::IDYES;
    if (!save) {
        std::cout << changes << " change(s) applied; " << options.drawing
                  << " was not written (--save writes it back).\n";
        return 0;
    }
    if (!document.save(message)) return fail(core::toUtf8(message));
    std::cout << changes << " change(s) applied; saved " << core::toUtf8(document.path()) << ".\n";
    return 0;
}

} // namespace

void addMacroCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<MacroOptions>();
    CLI::App* command = app.add_subcommand("macro", "edit the parameters of macros of a drawing");
    command->add_option("--drawing", options->drawing, "the drawing file")->required();
    command->add_option("--macro", options->macros, "the macros' names, separated by commas")->required();
    command->add_option("--set", options->values,
                        "a value to enter as a person types it (NAME=VALUE), then close the dialog");
    command->add_flag("--save", options->save, "write the drawing back when anything was changed");
    command->add_option("--png", options->picture,
                        "save the dialog's picture as a PNG file instead (writes nothing)");
    command->callback([&shell, options] { shell.action = [options] { return runMacro(*options); }; });
}

} // namespace sshost
