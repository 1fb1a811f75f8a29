// sshost: the host shell. It loads the module SS into the stand-in CAD host, runs the command the
// command line names (none: just load and unload), and unloads the module again. The host's command
// line is printed to the terminal.

#include <CLI/CLI.hpp>
#include <iostream>

#include "core/codepage.h"
#include "host/command_line.h"
#include "sshost/shell.h"

int main(int argc, char** argv) {
    CLI::App app{"sshost: the stand-in CAD host for the module SS"};
    sshost::Shell shell;
    sshost::addCommonOptions(app, shell, argv[0]);
    CLI11_PARSE(app, argc, argv);

    host::CommandLine::instance().setBuffering(false);
    host::CommandLine::instance().setSink([](const Zrk_String& text) { std::cout << core::toUtf8(text) << std::flush; });
    return shell.run();
}
