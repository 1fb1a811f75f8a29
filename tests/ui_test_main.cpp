// The main of tests that show dialogs: a headless QApplication (or a real display where a run asks for
// one), the project's resources, dialog sizes kept in a temporary folder instead of the user's
// settings, and every problem of a scripted user a failure of the running test.

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

#include "ui/application.h"
#include "ui/scripted_user.h"

int main(int argc, char** argv) {
    // Headless unless a run asks for a real display (SS_TEST_PLATFORM=xcb under tests/sshost/with_xvfb.sh).
    const char* platform = std::getenv("SS_TEST_PLATFORM");
    setenv("QT_QPA_PLATFORM", platform && *platform ? platform : "offscreen", 1);
    setenv("SS_RESOURCES", SS_RESOURCE_DIR, 1);
    // Tests never read the developer's own settings files.
    setenv("SS_SETTINGS", "/nonexistent/ss-settings.ini", 1);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    ui::installQuietMessageHandler();
    QApplication application(argc, argv);
    ui::setDefaultProblemHandler([](const std::string& problem) { ADD_FAILURE() << "Scripted user: " << problem; });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
