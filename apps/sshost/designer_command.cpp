#include "sshost/designer_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "core/files.h"
#include "core/text.h"
#include "designer/designer_data.h"
#include "designer/dlg_designer.h"
#include "sshost/shell.h"
#include "ui/application.h"
#include "ui/user_interaction.h"

namespace sshost {
namespace {

struct DesignerOptions {
    std::string templateName;
    std::string picture;
};

int fail(const std::string& message) {
    std::cerr << "sshost: " << message << '\n';
    return 1;
}

// The template's file: a name below the root folder, or a path to its file there.
bool templateFile(const std::string& given, Zrk_String& file, std::string& error) {
    const Zrk_String root = getDesignerRootFolder();
    const Zrk_String text = core::fromUtf8(given);
    Zrk_String found;
    if (findFileIgnoringCase(normalizePath(text), found) ||
        findFileIgnoringCase(normalizePath(root + text + ".txt"), found)) {
        Zrk_DlgDesignerData probe;
        Zrk_String reason;
        if (!probe.readFromFile(found, false, &reason)) {
            error = reason.empty() ? core::toUtf8(found) + " is not a template below the templates' folder " +
                                         core::toUtf8(root) + "."
                                   : core::toUtf8(asSentence(reason));
            return false;
        }
        file = found;
        return true;
    }
    error = "there is no dialog template \"" + given + "\" in " + core::toUtf8(root) + ".";
    return false;
}

int runDesigner(const DesignerOptions& options) {
    if (options.picture.empty() && ui::isHeadless())
        return fail("there is no display to show the designer on; save its picture with --png FILE.");
    Zrk_String file;
    std::string error;
    if (!options.templateName.empty() && !templateFile(options.templateName, file, error)) return fail(error);
    if (!options.picture.empty()) {
        ui::PictureTaker taker(core::fromUtf8(options.picture));
        StartDlgDesigner(file);
        if (!taker.taken())
            return fail(core::toUtf8(taker.error().empty() ? Zrk_String("the designer did not show itself")
                                                           : taker.error()) +
                        ".");
        std::cout << "Picture of the designer saved as " << options.picture << ".\n";
        return 0;
    }
    const bool ok = StartDlgDesigner(file);
    std::cout << (ok ? "Closed" : "Cancelled")
              << ": the templates are as they were last saved in the designer.\n";
    return 0;
}

} // namespace

void addDesignerCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<DesignerOptions>();
    CLI::App* command =
        app.add_subcommand("designer", "edit a dialog template of the library in the dialog designer");
    command->add_option("template", options->templateName,
                        "the template: its name below the templates' folder (\"End plate\") or its file");
    command->add_option("--png", options->picture, "save the designer's picture as a PNG file and cancel it");
    command->callback([&shell, options] { shell.action = [options] { return runDesigner(*options); }; });
}

} // namespace sshost
