#include "sshost/dialog_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <memory>

#include "frame/demo_dialogs.h"
#include "sshost/shell.h"
#include "ui/application.h"

namespace sshost {
namespace {

struct DialogOptions {
    std::string name;
    std::string picture;
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
    if (!frame::runDemoDialog(options.name, options.picture, result, error)) {
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
    command->callback([&shell, options] { shell.action = [options] { return runDialog(*options); }; });
}

} // namespace sshost
