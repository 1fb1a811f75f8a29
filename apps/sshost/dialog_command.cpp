#include "sshost/dialog_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "module/demo_dialogs.h"
#include "sshost/shell.h"
#include "ui/application.h"

namespace sshost {
namespace {

struct DialogOptions {
    std::string name;
    std::string picture;
    std::string templateName; // UTF-8, as typed
    bool design = false;
    std::string drawing; // UTF-8, as typed
    std::string macro;
    bool save = false;
};

int runDialog(const DialogOptions& options) {
    const std::vector<std::string> names = frame::demoDialogNames();
    if (std::find(names.begin(), names.end(), options.name) == names.end()) {
        std::cerr << "sshost: there is no dialog \"" << options.name << "\". The dialogs are:";
        for (const std::string& name : names) std::cerr << ' ' << name;
        std::cerr << ".\n";
        return 1;
    }
    if (options.picture.empty() && ui::isHeadless()) {
        std::cerr << "sshost: there is no display to show the dialog on; save its picture with --png FILE.\n";
        return 1;
    }
    std::string result;
    std::string error;
    frame::DemoOptions demo;
    demo.templateName = core::fromUtf8(options.templateName);
    demo.design = options.design;
    demo.drawingPath = core::fromUtf8(options.drawing);
    demo.macroName = core::fromUtf8(options.macro);
    demo.save = options.save;
    if (!frame::runDemoDialog(options.name, options.picture, demo, result, error)) {
        std::cerr << "sshost: " << error << '\n';
        return 1;
    }
    if (options.picture.empty()) std::cout << result << '\n';
    else std::cout << "Picture of the dialog \"" << options.name << "\" saved as " << options.picture << ".\n";
    return 0;
}

} // namespace

void addDialogCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<DialogOptions>();
    CLI::App* command = app.add_subcommand("dialog", "show one of the module's dialogs on sample data");
    command->add_option("name", options->name, "the dialog (text-input ...)")->required();
    command->add_option("--png", options->picture, "save the dialog's picture as a PNG file instead of showing it");
    command->add_option(
        "--template", options->templateName,
        "the dialog template to show (designed-template): its name in the library, e.g. \"Base plate\"");
    command->add_flag("--design", options->design,
                      "show the dialog template in design mode (designed-template)");
    command->add_option("--drawing", options->drawing,
                        "the drawing whose macro a macro dialog edits (advanced-bolt, macro-cuts ...)");
    command->add_option("--macro", options->macro, "the macro of the drawing that a macro dialog edits");
    command->add_flag("--save", options->save,
                      "write the drawing back when the person presses OK (needs --drawing)");
    command->callback([&shell, options] { shell.action = [options] { return runDialog(*options); }; });
}

} // namespace sshost
