#include "sshost/section_names_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "core/language.h"
#include "core/section_translation.h"
#include "core/settings.h"
#include "core/text.h"
#include "sshost/shell.h"
#include "ui/dlg_section_translation.h"

namespace sshost {
namespace {

// The headings the CIS/2 options give the editor.
constexpr int kTextSectionHeading = 670;
constexpr int kTextCis2Heading = 1740;

int runSectionNames(const std::string& picture) {
    if (!canShowDialog(picture, "the section names")) return 1;
    const Zrk_String path = core::sectionTranslationPath(gSettings.libDir);
    Zrk_StringArray names;
    Zrk_StringArray cis2Names;
    Zrk_String message;
    if (!readSectionTranslation(path, names, cis2Names, &message)) {
        std::cerr << "sshost: " << core::toUtf8(asSentence(message)) << "\n";
        return 1;
    }
    const auto edit = [&] {
        return writeSectionTranslation(names, cis2Names, dialString(kTextSectionHeading),
                                       dialString(kTextCis2Heading), path);
    };
    if (!picture.empty()) {
        if (!savePictureOf(picture, [&] { edit(); })) return 1;
        std::cout << "Picture of the section names saved as " << picture << "; nothing was written.\n";
        return 0;
    }
    if (!edit()) {
        std::cout << "Cancelled; nothing was written.\n";
        return 0;
    }
    std::cout << names.length() << " section names written to " << core::toUtf8(path) << ".\n";
    return 0;
}

} // namespace

void addSectionNamesCommand(CLI::App& app, Shell& shell) {
    auto picture = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "section-names", "edit the library's CIS/2 section-name translation (written on OK)");
    command->add_option("--png", *picture, "save the editor's picture as a PNG file and cancel it");
    command->callback([&shell, picture] { shell.action = [picture] { return runSectionNames(*picture); }; });
}

} // namespace sshost
