#include "sshost/shell.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "core/codepage.h"
#include "core/files.h"
#include "core/settings.h"
#include "host/loader.h"
#include "host/registry.h"
#include "sshost/module_path.h"
#include "ui/application.h"
#include "ui/user_interaction.h"

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
    // Commands added after this inherit it: an option of the shell (--library, --module, --trace) may
    // stand after the command too ("sshost evaluate Plate --library lib").
    app.fallthrough();
    shell.modulePath = defaultModulePath(argv0);
    app.add_option("--module", shell.modulePath, "the module library to load")->capture_default_str();
    app.add_flag("--trace", shell.trace, "show what the host saw while loading and unloading the module");
    app.add_option("--library", shell.library,
                   "the library folder (with \"Connection Standards/\" and \"prof/\"); default: the settings file's, "
                   "else the sample library");
}

int Shell::run() {
    if (!library.empty()) {
        const Zrk_String folder = ensureEndSlash(normalizePath(core::fromUtf8(library)));
        if (!folderExists(folder)) {
            std::cerr << "sshost: the library folder " << library << " does not exist.\n";
            return 1;
        }
        gSettings.libDir = folder;
    }
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

namespace sshost {

bool canShowDialog(const std::string& picture, const std::string& what) {
    if (!picture.empty() || !ui::isHeadless()) return true;
    std::cerr << "sshost: there is no display to show " << what
              << " on; save their picture with --png FILE.\n";
    return false;
}

bool savePictureOf(const std::string& picture, const std::function<void()>& show) {
    ui::PictureTaker taker(core::fromUtf8(picture));
    show();
    if (taker.taken()) return true;
    std::cerr << "sshost: "
              << core::toUtf8(taker.error().empty() ? Zrk_String("the dialog did not show itself")
                                                    : taker.error())
              << ".\n";
    return false;
}

} // namespace sshost
