#include "sshost/check_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "core/files.h"
#include "sshost/shell.h"
#include "standards/standards_check.h"
#include "ui/user_interaction.h"

namespace sshost {
namespace {

int runCheck(const std::string& target) {
    // Nothing here shows a message box; any the loading shows goes to the terminal.
    ui::TerminalMessageBoxes terminal;
    const Zrk_String name = core::fromUtf8(target);
    standards::CheckReport report;
    if (folderExists(normalizePath(name))) {
        Zrk_String error;
        if (!standards::checkStandardsFolder(name, report, error)) {
            std::cerr << "sshost: " << core::toUtf8(error) << '\n';
            return 1;
        }
    } else {
        standards::checkStandard(name, report);
    }
    for (const standards::CheckFinding& finding : report.findings)
        std::cout << core::toUtf8(finding.file)
                  << (finding.cell.empty() ? "" : " " + core::toUtf8(finding.cell)) << ": "
                  << core::toUtf8(finding.text) << '\n';
    std::cout << report.checked.length() << (report.checked.length() == 1 ? " standard" : " standards")
              << " checked, " << report.findings.size()
              << (report.findings.size() == 1 ? " finding" : " findings") << ".\n";
    return report.findings.empty() && report.checked.length() > 0 ? 0 : 1;
}

} // namespace

void addCheckCommand(CLI::App& app, Shell& shell) {
    auto target = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand("check", "check standards without evaluating them");
    command->add_option("target", *target, "a standard (.kvs, or a name in the standards folder) or a folder")
        ->required();
    command->callback([&shell, target] { shell.action = [target] { return runCheck(*target); }; });
}

} // namespace sshost
