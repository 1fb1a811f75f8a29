#include "sshost/select_macro_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "macrodlg/dlg_select_macro.h"
#include "sshost/shell.h"

namespace sshost {
namespace {

struct SelectMacroOptions {
    std::vector<std::string> modules;
    std::vector<int> members;
    std::string title;
    bool other = false;
    std::string picture;
};

int runSelectMacro(const SelectMacroOptions& options) {
    if (!canShowDialog(options.picture, "the connections")) return 1;
    Zrk_StringArray modules;
    for (const std::string& module : options.modules)
        modules.append(core::fromUtf8(module));
    const int minimum = options.members.empty() ? -1 : options.members[0];
    const int maximum = options.members.size() < 2 ? -1 : options.members[1];
    Zrk_String result;
    bool special = options.other;
    auto show = [&] {
        return StartDlgSelectMacro(core::fromUtf8(options.title), modules, minimum, maximum, result, special,
                                   false);
    };
    if (!options.picture.empty()) {
        if (!savePictureOf(options.picture, [&] { show(); })) return 1;
        std::cout << "Picture of the connections saved as " << options.picture << ".\n";
        return 0;
    }
    const bool chosen = show();
    if (!chosen) {
        std::cerr << "sshost: cancelled; no connection chosen.\n";
        return 1;
    }
    std::cout << (special ? std::string("other") : core::toUtf8(result)) << '\n';
    return 0;
}

} // namespace

void addSelectMacroCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<SelectMacroOptions>();
    CLI::App* command =
        app.add_subcommand("select-macro", "pick a connection drawing of the library by its picture");
    command->add_option("--module", options->modules, "a module the connection must have (repeatable)");
    command->add_option("--members", options->members, "MIN MAX: how many members it joins (-1: no bound)")
        ->expected(2);
    command->add_option("--title", options->title, "the dialog's caption");
    command->add_flag("--other", options->other, "offer the dialog's extra button");
    command->add_option("--png", options->picture, "save the dialog's picture as a PNG file instead");
    command->callback([&shell, options] { shell.action = [options] { return runSelectMacro(*options); }; });
}

} // namespace sshost
