#include "sshost/dstv_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "core/dstv_points.h"
#include "dialogs/dlg_dstv_groups.h"
#include "sshost/shell.h"

namespace sshost {
namespace {

int runDstvGroups(const std::string& picture) {
    if (!canShowDialog(picture, "the DSTV point groups")) return 1;
    if (!picture.empty()) {
        if (!savePictureOf(picture, [] { StartDSTVPointsDlg(); })) return 1;
        std::cout << "Picture of the DSTV point groups saved as " << picture << ".\n";
        return 0;
    }
    StartDSTVPointsDlg();
    Zrk_StringArray groups;
    DlgDstvPoints::getAllDstvPointsFiles(groups);
    const Zrk_String inUse = DlgDstvPoints::getStandardDstvPointsFile();
    std::cout << groups.length() << " DSTV point groups in "
              << core::toUtf8(DlgDstvPoints::getDstvPointsFolder())
              << "; in use: " << (inUse.empty() ? std::string("none") : core::toUtf8(inUse)) << ".\n";
    return 0;
}

} // namespace

void addDstvCommand(CLI::App& app, Shell& shell) {
    auto picture = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "dstv-groups", "edit the library's DSTV point groups and their points (written as they are changed)");
    command->add_option("--png", *picture, "save the dialog's picture as a PNG file and cancel it");
    command->callback([&shell, picture] { shell.action = [picture] { return runDstvGroups(*picture); }; });
}

} // namespace sshost
