#include <gtest/gtest.h>

#include "core/resource_override.h"
#include "frame/modeless_dialogs.h"
#include "frame/module_state.h"
#include "host/module_entry.h"
#include "host/registry.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId);

namespace {

struct CountingDialog : frame::ModelessDialog {
    explicit CountingDialog(std::vector<int>& order, int id) : order(order), id(id) {}
    bool destroyWindow() override {
        order.push_back(id);
        return true;
    }
    std::vector<int>& order;
    int id;
};

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
    auto& slots = frame::macroDialogSlots();
    slots = {new CountingDialog(order, 0), nullptr, new CountingDialog(order, 2)};
    frame::constraintDialog() = new CountingDialog(order, 9);
    host::commandStack().addCommand("ZORKLAN_SS", "X");

    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_EQ(order, (std::vector<int>{2, 0, 9}));
    EXPECT_TRUE(slots.empty());
    EXPECT_EQ(frame::constraintDialog(), nullptr);
    EXPECT_FALSE(host::commandStack().hasGroup("ZORKLAN_SS"));

    // With nothing open and no group, the unload message is harmless.
    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_EQ(order.size(), 3u);
    EXPECT_EQ(acrxEntryPoint(AcRx::kNullMsg, nullptr), AcRx::kRetOK);
}
