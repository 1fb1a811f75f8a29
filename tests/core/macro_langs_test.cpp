// The macro-name table: names in the user's language, by section, from the library's file.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/macro_langs.h"
#include "core/settings.h"

namespace fs = std::filesystem;

namespace {

const Zrk_StringArray kTable{
    "# The names of the sample macros",
    "Name\tEnglish\tDutch\tGerman",
    "BasePlate\tBase plate\tVoetplaat\tFu\xc3\x9fplatte", // UTF-8 in the file
    "EndPlate\tEnd plate\t\t",
    "",
    "[Images]",
    "BasePlate\tBase plate picture",
};

class LanguageGuard : public ::testing::Test {
protected:
    void TearDown() override { core::setCurrentMacroLanguage("English"); }
};

} // namespace

TEST_F(LanguageGuard, ANameComesInTheUsersLanguageElseInEnglishElseAsItIs) {
    MacroLangs names;
    Zrk_String message;
    ASSERT_TRUE(names.parse(kTable, "MacroNames.txt", &message)) << message;
    EXPECT_EQ(names.entryCount(), 3);
    EXPECT_EQ(names.GetString("", "BasePlate"), "Base plate");
    EXPECT_EQ(names.GetString("", "baseplate"), "Base plate"); // letter case ignored when none matches
    EXPECT_EQ(names.GetString("Images", "BasePlate"), "Base plate picture");
    EXPECT_EQ(names.GetString("", "Splice"), "Splice");
    EXPECT_EQ(names.GetString("Nowhere", "BasePlate"), "BasePlate");

    ASSERT_TRUE(core::setCurrentMacroLanguage("German"));
    EXPECT_EQ(names.GetString("", "BasePlate"), "Fu\xdfplatte"); // in the module's code page
    EXPECT_EQ(names.GetString("", "EndPlate"), "End plate");     // no German: English
    ASSERT_TRUE(core::setCurrentMacroLanguage("French"));
    EXPECT_EQ(names.GetString("", "BasePlate"), "Base plate"); // no French column
    EXPECT_FALSE(core::setCurrentMacroLanguage("Latin"));
}

TEST_F(LanguageGuard, AMalformedTableIsRefusedWithItsLineAndLeavesNoNames) {
    const std::pair<Zrk_StringArray, const char*> wrong[] = {
        {{"BasePlate\tBase plate"}, "t.txt, line 1: the first line must name the columns"},
        {{"Name\tEnglish\tKlingon"}, "t.txt, line 1: \"Klingon\" is no language"},
        {{"Name\tEnglish\tEnglish"}, "t.txt, line 1: the language English has two columns"},
        {{"Name\tEnglish", "A\tB\tC"}, "t.txt, line 2: more cells than the first line names languages"},
        {{"Name\tEnglish", "\tB"}, "t.txt, line 2: a line must start with the name it translates"},
        {{"Name\tEnglish", "[S]\tx"}, "t.txt, line 2: a section line holds nothing after"},
    };
    for (const auto& [lines, expected] : wrong) {
        MacroLangs names;
        ASSERT_TRUE(names.parse(kTable, "t.txt"));
        Zrk_String message;
        EXPECT_FALSE(names.parse(lines, "t.txt", &message));
        EXPECT_EQ(message.rfind(expected, 0), 0u) << message;
        EXPECT_EQ(names.loadMessage(), message);
        EXPECT_EQ(names.entryCount(), 0);
        EXPECT_EQ(names.GetString("", "BasePlate"), "BasePlate");
    }
}

TEST_F(LanguageGuard, TheGlobalTableFollowsTheLibrary) {
    const fs::path folder = fs::temp_directory_path() / ("ss_macro_names_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "Macros");
    ASSERT_TRUE(ObjectExportWriteFile((folder / "Macros" / "MacroNames.txt").string(), kTable));
    const Zrk_String saved = gSettings.libDir;
    gSettings.libDir = folder.string() + "/";
    EXPECT_EQ(gMacroLangs.GetString("", "EndPlate"), "End plate");
    gSettings.libDir = "/nonexistent/library/"; // no table there: names as they are
    EXPECT_EQ(gMacroLangs.GetString("", "EndPlate"), "EndPlate");
    EXPECT_TRUE(gMacroLangs.loadMessage().empty());
    gSettings.libDir = saved;
    fs::remove_all(folder);
}
