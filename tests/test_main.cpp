#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SS_RESOURCES", SS_RESOURCE_DIR, 1);
    // Tests never read the developer's own settings file.
    setenv("SS_SETTINGS", "/nonexistent/ss-settings.ini", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
