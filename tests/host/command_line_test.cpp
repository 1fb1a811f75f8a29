#include <gtest/gtest.h>

#include "host/command_line.h"

TEST(CommandLine, PrintsFormattedTextToBufferAndSink) {
    auto& commandLine = host::CommandLine::instance();
    commandLine.clear();
    Zrk_String seen;
    commandLine.setSink([&](const Zrk_String& text) { seen += text; });
    acutPrintf("Loading spreadsheet:%s\n", "base.kvs");
    acutPrintf("%d%%", 50);
    const std::string longText(5000, 'x');
    acutPrintf("%s", longText.c_str());
    EXPECT_EQ(commandLine.buffer(), "Loading spreadsheet:base.kvs\n50%" + longText);
    EXPECT_EQ(seen, commandLine.buffer());

    commandLine.setBuffering(false);
    acutPrintf("gone");
    commandLine.setBuffering(true);
    commandLine.setSink(nullptr);
    EXPECT_EQ(seen.substr(seen.size() - 4), "gone");
    EXPECT_EQ(commandLine.buffer().find("gone"), std::string::npos);

    acedPostCommand("CANCELCMD");
    acedPostCommandPrompt();
    acedUpdateDisplay();
    EXPECT_EQ(commandLine.postedCommands(), std::vector<std::string>{"CANCELCMD"});
    EXPECT_EQ(commandLine.promptRequests(), 1);
    EXPECT_EQ(commandLine.displayUpdates(), 1);
    commandLine.clear();
}
