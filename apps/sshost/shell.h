#pragma once
// The host shell's frame: options shared by every command, and the run of one command between
// loading and unloading the module. Each command lives in a file of its own and registers itself as
// a subcommand with addXxxCommand(app, shell).

#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace sshost {

struct Shell {
    std::string modulePath;
    bool trace = false;
    // The library folder to work on instead of the settings' (the sample library by default).
    std::string library;
    // What the chosen subcommand does once the module is loaded; answers the exit status.
    std::function<int()> action;

    // Loads the module, runs the action (if any), unloads the module. Answers the exit status: the
    // action's, or 1 when the module could not be loaded or unloaded.
    int run();
};

// For a command that shows a dialog to the person (what: "the DSTV point groups"): true when it can,
// false with the reason on standard error when there is no display and no picture was asked for.
bool canShowDialog(const std::string& picture, const std::string& what);
// Runs show with the picture taker installed: the first modal dialog it shows is saved as the
// picture (a PNG file) and cancelled. False, with the reason on standard error, when none was saved.
bool savePictureOf(const std::string& picture, const std::function<void()>& show);

// The command-line options every command shares, accepted before or after the command. Call it before
// the commands are added.
void addCommonOptions(CLI::App& app, Shell& shell, const char* argv0);

} // namespace sshost
