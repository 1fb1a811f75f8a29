#include <gtest/gtest.h>

#include "core/resource_override.h"
#include "frame/modeless_dialogs.h"
#include "module/module_state.h"
#include "host/module_entry.h"
#include "host/registry.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId);

namespace {

struct CountingDialog : frame::ModelessMacroDialog {
    explicit CountingDialog(std::vector<int>& order, int id) : order(order), id(id) {}
    bool destroyWindow() override {
        order.push_back(id);
        return true;
    }
    const MacroData& macroData() const override { return data; }
    bool isBusy() const override { return busy; }
    std::vector<int>& order;
    int id;
    bool busy = false;
    MacroData data;
};

std::unique_ptr<frame::ModelessMacroDialog> counting(std::vector<int>& order, int id) {
    return std::make_unique<CountingDialog>(order, id);
}

} // namespace

TEST(ModuleEntry, AttachRemembersTheInstanceForTheResourceSwitch) {
    int instance = 0;
    ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1);
    EXPECT_EQ(frame::moduleInstance(), &instance);

    int hostInstance = 0;
    core::setCurrentResourceInstance(&hostInstance);
    {
        ModuleResourceSwitch resources;
        EXPECT_TRUE(resources.switched());
        EXPECT_EQ(core::currentResourceInstance(), &instance);
    }
    EXPECT_EQ(core::currentResourceInstance(), &hostInstance);

    // Without a default resource the switch fails and restores nothing.
    frame::resourceOverride().SaveDefaultResource(nullptr);
    {
        ModuleResourceSwitch resources;
        EXPECT_FALSE(resources.switched());
        core::setCurrentResourceInstance(nullptr);
    }
    EXPECT_EQ(core::currentResourceInstance(), nullptr);
    EXPECT_EQ(DllMain(&instance, host::kProcessDetach, nullptr), 1);
}

TEST(ModuleEntry, UnloadEndsOpenDialogsLastFirst) {
    std::vector<int> order;
    frame::MacroDialogTable& table = frame::macroDialogs();
    int slot = -1;
    for (int id : {0, 1, 2})
        table.open(slot, [&](int) { return counting(order, id); });
    ASSERT_TRUE(table.end(1));
    // Busy or not, unloading ends them.
    static_cast<CountingDialog*>(table.dialog(0))->busy = true;
    order.clear();
    frame::constraintDialog() = counting(order, 9);
    host::commandStack().addCommand("ZORKLAN_SS", "X");

    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_EQ(order, (std::vector<int>{2, 0, 9}));
    EXPECT_EQ(table.slotCount(), 0);
    EXPECT_EQ(frame::constraintDialog(), nullptr);
    EXPECT_FALSE(host::commandStack().hasGroup("ZORKLAN_SS"));

    // With nothing open and no group, the unload message is harmless.
    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_EQ(order.size(), 3u);
    EXPECT_EQ(acrxEntryPoint(AcRx::kNullMsg, nullptr), AcRx::kRetOK);
}
