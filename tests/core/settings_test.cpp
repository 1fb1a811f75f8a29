#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/language.h"
#include "core/settings.h"

TEST(Settings, DefaultsFileAndEnvironmentInThatOrder) {
    const std::string file = std::filesystem::temp_directory_path() / ("ss_settings_" + std::to_string(getpid()) + ".ini");
    ASSERT_TRUE(ObjectExportWriteFile(file, {"# library", "libDir = C:\\data\\lib", "reportStandardsErrors=0", ""}));
    setenv("SS_SETTINGS", file.c_str(), 1);

    Zrk_Settings settings;
    EXPECT_EQ(settings.libDir, "C:/data/lib/");
    EXPECT_EQ(settings.zrkDir, core::defaultProductFolder());
    EXPECT_FALSE(settings.current().reportStandardsErrors);

    setenv("SS_LIBDIR", "/env/lib", 1);
    setenv("SS_REPORT_STANDARDS_ERRORS", "1", 1);
    EXPECT_TRUE(settings.load());
    EXPECT_EQ(settings.libDir, "/env/lib/");
    EXPECT_TRUE(settings.current().reportStandardsErrors);
    unsetenv("SS_LIBDIR");
    unsetenv("SS_REPORT_STANDARDS_ERRORS");

    ASSERT_TRUE(ObjectExportWriteFile(file, {"zrkDir=/p", "colour=blue", "libDir=/late"}));
    Zrk_String message;
    EXPECT_FALSE(settings.load(&message));
    EXPECT_EQ(settings.zrkDir, "/p/");
    EXPECT_EQ(settings.libDir, core::defaultLibraryFolder());
    EXPECT_NE(message.find(file + ", line 2"), Zrk_String::npos) << message;

    setenv("SS_SETTINGS", "/nonexistent/ss-settings.ini", 1);
    std::filesystem::remove(file);
    EXPECT_TRUE(settings.load());
    EXPECT_TRUE(settings.current().reportStandardsErrors);
    EXPECT_EQ(settings.libDir.back(), '/');
}

TEST(Texts, TableFilesParse) {
    std::vector<std::pair<int, Zrk_String>> table;
    core::parseTextTable({"# comment", "12\tTwelve", "3\tLine\\none\\tTab", "x\tbad", "7 no tab", "12\tLater",
                          "200\tCaf\xC3\xA9"},
                         table);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0], (std::pair<int, Zrk_String>{3, "Line\none\tTab"}));
    EXPECT_EQ(table[1].second, "Later");
    EXPECT_EQ(table[2].second, "Caf\xE9");
}

TEST(Texts, ProjectTablesAreFound) {
    core::reloadTexts();
    EXPECT_EQ(dialString(1), "OK");
    EXPECT_EQ(dialString(2), "Cancel");
    EXPECT_EQ(dialString(-5), "");
}
