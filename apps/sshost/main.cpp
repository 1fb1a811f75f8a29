// sshost: the host shell. It loads the module SS into the stand-in CAD host, runs the command the
// command line names (none: just load and unload), and unloads the module again. The host's command
// line is printed to the terminal. The Qt application exists before the module loads, headless when
// there is no display.

#include <CLI/CLI.hpp>
#include <QApplication>
#include <iostream>
#include <unistd.h>

#include "core/codepage.h"
#include "host/command_line.h"
#include "host/terminal_input.h"
#include "sshost/bill_command.h"
#include "sshost/check_command.h"
#include "sshost/cutting_stock_command.h"
#include "sshost/designer_command.h"
#include "sshost/dialog_command.h"
#include "sshost/dstv_command.h"
#include "sshost/section_names_command.h"
#include "sshost/gui/gui_command.h"
#include "sshost/levels_command.h"
#include "sshost/constraints_command.h"
#include "sshost/macro_command.h"
#include "sshost/mapping_commands.h"
#include "sshost/profile_cuts_command.h"
#include "sshost/section_commands.h"
#include "sshost/select_macro_command.h"
#include "sshost/sheet_commands.h"
#include "sshost/shell.h"
#include "sshost/standards_commands.h"
#include "ui/application.h"

int main(int argc, char** argv) {
    ui::chooseHeadlessPlatformIfNoDisplay();
    ui::installQuietMessageHandler();
    QApplication application(argc, argv); // takes Qt's own options off the command line

    CLI::App app{"sshost: the stand-in CAD host for the module SS"};
    sshost::Shell shell;
    sshost::addCommonOptions(app, shell, argv[0]);
    sshost::addDialogCommand(app, shell);
    sshost::addBillCommand(app, shell);
    sshost::addEvaluateCommand(app, shell);
    sshost::addStandardsCommand(app, shell);
    sshost::addTestStandardCommand(app, shell);
    sshost::addMappingCommand(app, shell);
    sshost::addSettingsCommand(app, shell);
    sshost::addConstraintsCommand(app, shell);
    sshost::addGenVarsCommand(app, shell);
    sshost::addConvertCommand(app, shell);
    sshost::addDumpCommand(app, shell);
    sshost::addCheckCommand(app, shell);
    sshost::addSectionCommands(app, shell);
    sshost::addDesignerCommand(app, shell);
    sshost::addDstvCommand(app, shell);
    sshost::addLevelsCommand(app, shell);
    sshost::addMacroCommand(app, shell);
    sshost::addSelectMacroCommand(app, shell);
    sshost::addSectionNamesCommand(app, shell);
    sshost::addCuttingStockCommand(app, shell);
    sshost::addProfileCutsCommand(app, shell);
    sshost::addGuiCommand(app, shell);
    CLI11_PARSE(app, argc, argv);

    host::CommandLine::instance().setBuffering(false);
    host::CommandLine::instance().setSink([](const Zrk_String& text) { std::cout << core::toUtf8(text) << std::flush; });
    // Picks in the drawing prompt on the terminal; answers piped in are shown as if typed.
    host::TerminalEditorInput terminal(
        std::cin, [](const std::string& text) { std::cout << text << std::flush; }, !isatty(STDIN_FILENO));
    return shell.run();
}
