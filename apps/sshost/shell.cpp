#include "sshost/shell.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "host/loader.h"
#include "host/registry.h"
#include "sshost/module_path.h"

namespace sshost {
namespace {

class TracePrinter {
public:
    explicit TracePrinter(bool on) : on_(on) {}
    void flush() {
        if (!on_) return;
        const auto& trace = host::hostTrace();
        for (; shown_ < trace.size(); ++shown_) std::cout << "[host] " << trace[shown_] << '\n';
    }

private:
    bool on_;
    std::size_t shown_ = 0;
};

} // namespace

void addCommonOptions(CLI::App& app, Shell& shell, const char* argv0) {
    shell.modulePath = defaultModulePath(argv0);
    app.add_option("--module", shell.modulePath, "the module library to load")->capture_default_str();
    app.add_flag("--trace", shell.trace, "show what the host saw while loading and unloading the module");
}

int Shell::run() {
    TracePrinter trace(this->trace);
    host::ApplicationLoader loader;
    std::string error;
    const bool loaded = loader.load(modulePath, error);
    trace.flush();
    if (!loaded) {
        std::cerr << "sshost: " << error << '\n';
        return 1;
    }
    if (!action) std::cout << "Module " << modulePath << " loaded.\n";

    const int status = action ? action() : 0;

    const bool unloaded = loader.unload(error);
    trace.flush();
    if (!unloaded) {
        std::cerr << "sshost: " << error << '\n';
        return 1;
    }
    if (!action) std::cout << "Module unloaded.\n";
    return status;
}

} // namespace sshost
