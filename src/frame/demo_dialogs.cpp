#include "frame/demo_dialogs.h"

#include <map>

#include "core/codepage.h"
#include "frame/module_state.h"
#include "ui/user_interaction.h"

namespace frame {
namespace {
std::map<std::string, DemoDialog>& demos() {
    static std::map<std::string, DemoDialog> registered;
    return registered;
}
} // namespace

bool registerDemoDialog(const char* name, DemoDialog demo) {
    demos()[name] = demo;
    return true;
}

std::vector<std::string> demoDialogNames() {
    std::vector<std::string> names;
    for (const auto& [name, demo] : demos()) names.push_back(name);
    return names;
}

bool runDemoDialog(const std::string& name, const std::string& picturePath, std::string& result, std::string& error) {
    const auto found = demos().find(name);
    if (found == demos().end()) {
        error = "There is no dialog \"" + name + "\". The dialogs are:";
        for (const std::string& known : demoDialogNames()) error += " " + known;
        error += ".";
        return false;
    }
    ModuleResourceSwitch resources;
    if (picturePath.empty()) {
        result = core::toUtf8(found->second());
        return true;
    }
    ui::PictureTaker taker(core::fromUtf8(picturePath));
    result = core::toUtf8(found->second());
    if (taker.taken()) return true;
    error = taker.error().empty() ? "The dialog \"" + name + "\" did not show itself." : core::toUtf8(taker.error());
    return false;
}

} // namespace frame
