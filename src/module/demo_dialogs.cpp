#include "module/demo_dialogs.h"

#include <map>

#include "core/codepage.h"
#include "module/module_state.h"
#include "ui/user_interaction.h"

namespace frame {
namespace {

struct Registered {
    DemoDialog plain = nullptr;
    DemoDialogWithOptions withOptions = nullptr;
    bool onDrawing = false; // takes the drawing options (and not the template ones)
};

std::map<std::string, Registered>& demos() {
    static std::map<std::string, Registered> registered;
    return registered;
}

// Runs the demonstration; false with the reason in answer.
bool run(const Registered& demo, const DemoOptions& options, Zrk_String& answer) {
    if (demo.withOptions) return demo.withOptions(options, answer);
    answer = demo.plain();
    return true;
}

} // namespace

bool registerDemoDialog(const char* name, DemoDialog demo) {
    demos()[name] = Registered{demo, nullptr};
    return true;
}

bool registerDemoDialog(const char* name, DemoDialogWithOptions demo) {
    demos()[name] = Registered{nullptr, demo};
    return true;
}

bool registerDrawingDemoDialog(const char* name, DemoDialogWithOptions demo) {
    demos()[name] = Registered{nullptr, demo, true};
    return true;
}

std::vector<std::string> demoDialogNames() {
    std::vector<std::string> names;
    for (const auto& [name, demo] : demos())
        names.push_back(name);
    return names;
}

bool runDemoDialog(const std::string& name, const std::string& picturePath, std::string& result,
                   std::string& error) {
    return runDemoDialog(name, picturePath, DemoOptions{}, result, error);
}

bool runDemoDialog(const std::string& name, const std::string& picturePath, const DemoOptions& options,
                   std::string& result, std::string& error) {
    const auto found = demos().find(name);
    if (found == demos().end()) {
        error = "There is no dialog \"" + name + "\". The dialogs are:";
        for (const std::string& known : demoDialogNames())
            error += " " + known;
        error += ".";
        return false;
    }
    if (options.given() && (!found->second.withOptions || found->second.onDrawing)) {
        error = "The dialog \"" + name + "\" shows no dialog template: it takes no --template or --design.";
        return false;
    }
    if (options.drawingGiven() && !found->second.onDrawing) {
        error = "The dialog \"" + name +
                "\" edits no macro of a drawing: it takes no --drawing, --macro or --save.";
        return false;
    }
    ModuleResourceSwitch resources;
    Zrk_String answer;
    if (picturePath.empty()) {
        const bool ran = run(found->second, options, answer);
        (ran ? result : error) = core::toUtf8(answer);
        return ran;
    }
    ui::PictureTaker taker(core::fromUtf8(picturePath));
    if (!run(found->second, options, answer)) {
        error = core::toUtf8(answer);
        return false;
    }
    result = core::toUtf8(answer);
    if (taker.taken()) return true;
    // A demonstration that stops before its dialog shows says why in its answer (the sample data lacks
    // what it needs): that reason is what the person must read.
    if (!taker.error().empty())
        error = core::toUtf8(taker.error());
    else
        error = "The dialog \"" + name + "\" did not show itself" + (answer.empty() ? "." : ": " + result);
    return false;
}

} // namespace frame
