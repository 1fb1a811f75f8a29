// Demonstrations as the host shell runs them ("sshost dialog NAME [--png FILE]").

#include <filesystem>
#include <gtest/gtest.h>

#include "module/demo_dialogs.h"

namespace fs = std::filesystem;

// A demonstration that stops before its dialog shows (the sample data lacks what it needs) says why;
// asked for a picture, the person reads the same reason and no file is written.
TEST(DemoDialogs, ADemonstrationThatStopsBeforeShowingSaysWhyAlsoWhenAPictureWasAsked) {
    frame::registerDemoDialog(
        "test-stops-early", +[]() -> Zrk_String { return "The sample library has no sections."; });
    std::string result, error;
    EXPECT_TRUE(frame::runDemoDialog("test-stops-early", "", result, error)) << error;
    EXPECT_EQ(result, "The sample library has no sections.");

    const fs::path picture = fs::temp_directory_path() / "ss_demo_stops_early.png";
    fs::remove(picture);
    EXPECT_FALSE(frame::runDemoDialog("test-stops-early", picture.string(), result, error));
    EXPECT_EQ(error,
              "The dialog \"test-stops-early\" did not show itself: The sample library has no sections.");
    EXPECT_FALSE(fs::exists(picture));
}
