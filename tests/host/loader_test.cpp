#include <algorithm>

#include <gtest/gtest.h>

#include "host/command_line.h"
#include "host/loader.h"
#include "host/registry.h"

namespace {

std::string module(const std::string& name) { return std::string(SS_BIN_DIR) + "/" + name; }

bool traced(const std::string& text) {
    const auto& trace = host::hostTrace();
    return std::any_of(trace.begin(), trace.end(), [&](const std::string& line) { return line == text; });
}

} // namespace

TEST(Loader, LoadsAndUnloadsTheModule) {
    host::hostTrace().clear();
    host::commandStack().addCommand("ZORKLAN_SS", "SOMECMD");
    host::ApplicationLoader loader;
    std::string error;
    ASSERT_TRUE(loader.load(module("libSS.so"), error)) << error;
    EXPECT_TRUE(traced("dynamic linker: application libSS.so unlocked"));
    EXPECT_TRUE(traced("dynamic linker: application libSS.so registered as MDI-aware"));
    EXPECT_NE(loader.symbol("acrxEntryPoint"), nullptr);
    EXPECT_EQ(loader.symbol("_ZN5frame14moduleInstanceEv"), nullptr) << "module internals must stay hidden";

    ASSERT_TRUE(loader.unload(error)) << error;
    EXPECT_TRUE(traced("command stack: group \"ZORKLAN_SS\" removed"));
    EXPECT_FALSE(host::commandStack().hasGroup("ZORKLAN_SS"));
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_FALSE(loader.unload(error));

    // Loading again works, and an unload without the group says nothing on the command line.
    host::CommandLine::instance().clear();
    ASSERT_TRUE(loader.load(module("libSS.so"), error)) << error;
    ASSERT_TRUE(loader.unload(error));
    EXPECT_TRUE(traced("command stack: no group \"ZORKLAN_SS\" to remove"));
    EXPECT_EQ(host::CommandLine::instance().buffer(), "");
}

TEST(Loader, BadModulesAreRefusedWithAMessage) {
    host::ApplicationLoader loader;
    std::string error;
    EXPECT_FALSE(loader.load(module("libmissing.so"), error));
    EXPECT_NE(error.find("Cannot load the module"), std::string::npos) << error;

    EXPECT_FALSE(loader.load(module("libtest_module_refusing.so"), error));
    EXPECT_EQ(error, "The module " + module("libtest_module_refusing.so") + " refused to load.");
    EXPECT_FALSE(loader.isLoaded());

    EXPECT_FALSE(loader.load(module("libtest_module_wrong_version.so"), error));
    EXPECT_NE(error.find("built for plug-in interface 15; this host needs 16"), std::string::npos) << error;

    EXPECT_FALSE(loader.load(module("libtest_module_no_entry.so"), error));
    EXPECT_NE(error.find("lacks the entry acrxEntryPoint"), std::string::npos) << error;
    EXPECT_FALSE(loader.isLoaded());
}

TEST(Loader, AModuleThatStaysLockedIsNotUnloaded) {
    host::ApplicationLoader loader;
    std::string error;
    ASSERT_TRUE(loader.load(module("libtest_module_locked.so"), error)) << error;
    EXPECT_FALSE(loader.unload(error));
    EXPECT_NE(error.find("is locked and cannot be unloaded"), std::string::npos) << error;
    EXPECT_TRUE(loader.isLoaded());
    host::dynamicLinker().unlockApplication(loader.handle());
    EXPECT_TRUE(loader.unload(error)) << error;
}
