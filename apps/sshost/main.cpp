// sshost: the host shell. It loads the module SS into the stand-in CAD host, runs what the command
// line asks for, and unloads it again; the host's command line is printed to the terminal.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "core/codepage.h"
#include "host/command_line.h"
#include "host/loader.h"
#include "host/registry.h"
#include "sshost/module_path.h"

namespace {

void printTrace(std::size_t& shown) {
    const auto& trace = host::hostTrace();
    for (; shown < trace.size(); ++shown) std::cout << "[host] " << trace[shown] << '\n';
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"sshost: the stand-in CAD host for the module SS"};
    std::string modulePath = sshost::defaultModulePath(argv[0]);
    bool trace = false;
    app.add_option("--module", modulePath, "the module library to load")->capture_default_str();
    app.add_flag("--trace", trace, "show what the host saw while loading and unloading the module");
    CLI11_PARSE(app, argc, argv);

    host::CommandLine::instance().setBuffering(false);
    host::CommandLine::instance().setSink([](const Zrk_String& text) { std::cout << core::toUtf8(text) << std::flush; });

    std::size_t shown = 0;
    host::ApplicationLoader loader;
    std::string error;
    if (!loader.load(modulePath, error)) {
        if (trace) printTrace(shown);
        std::cerr << "sshost: " << error << '\n';
        return 1;
    }
    if (trace) printTrace(shown);
    std::cout << "Module " << modulePath << " loaded.\n";

    const bool unloaded = loader.unload(error);
    if (trace) printTrace(shown);
    if (!unloaded) {
        std::cerr << "sshost: " << error << '\n';
        return 1;
    }
    std::cout << "Module unloaded.\n";
    return 0;
}
