// The CIS/2 section-name translation file: read, refused with the file and line when it is not a
// table, and written only when sound.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/section_translation.h"

namespace fs = std::filesystem;

namespace {

class SectionTranslation : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("ss_translation_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = core::sectionTranslationPath(folder.string());
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    Zrk_String path;
};

} // namespace

TEST_F(SectionTranslation, ATableIsReadPassingBlankLinesAndWrittenBackAsItWas) {
    EXPECT_EQ(path, folder.string() + "/CIS2ProfNames.dat");
    ASSERT_TRUE(ObjectExportWriteFile(
        path, {"HEA-200\tHE200A\r", "", "  ", "IPE-100\tIPE100", "L-40x40x4\tL40X40X4"}));
    Zrk_StringArray names;
    Zrk_StringArray cis2Names;
    Zrk_String message;
    ASSERT_TRUE(readSectionTranslation(path, names, cis2Names, &message)) << message;
    EXPECT_EQ(names, (Zrk_StringArray{"HEA-200", "IPE-100", "L-40x40x4"}));
    EXPECT_EQ(cis2Names, (Zrk_StringArray{"HE200A", "IPE100", "L40X40X4"}));

    ASSERT_TRUE(writeSectionTranslationFile(path, names, cis2Names, &message)) << message;
    Zrk_StringArray lines;
    ASSERT_TRUE(ObjectExportReadFile(path, lines));
    EXPECT_EQ(lines, (Zrk_StringArray{"HEA-200\tHE200A", "IPE-100\tIPE100", "L-40x40x4\tL40X40X4"}));

    // A missing file is an empty table, for the person to start.
    ASSERT_TRUE(readSectionTranslation(folder.string() + "/none.dat", names, cis2Names, &message));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(cis2Names.isEmpty());
}

TEST_F(SectionTranslation, AFileThatIsNoTableIsRefusedWithItsLineAndChangesNothing) {
    const struct {
        Zrk_StringArray lines;
        Zrk_String reason;
    } cases[] = {
        {{"HEA-200\tHE200A", "IPE-100 IPE100"},
         "line 2: a section name and its CIS/2 name separated by a tab are expected"},
        {{"HEA-200\t"}, "line 1: the CIS/2 name of HEA-200 is empty"},
        {{"\tHE200A"}, "line 1: the section name is empty"},
        {{"HEA-200 \tHE200A"}, "line 1: the section name starts or ends with a blank"},
        {{"HEA-200\tHE\t200A"}, "line 1: the CIS/2 name of HEA-200 holds a tab or another control character"},
        {{"HEA-200\tHE200A", "hea-200\tHEA200"}, "line 2: the section hea-200 is listed already"},
        {{Zrk_String("HEA\0-200\tX", 10)},
         "line 1: the section name holds a tab or another control character"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ObjectExportWriteFile(path, c.lines));
        Zrk_StringArray names{"kept"};
        Zrk_StringArray cis2Names{"KEPT"};
        Zrk_String message;
        EXPECT_FALSE(readSectionTranslation(path, names, cis2Names, &message));
        EXPECT_EQ(message, path + ", " + c.reason);
        EXPECT_EQ(names, Zrk_StringArray{"kept"});
        EXPECT_EQ(cis2Names, Zrk_StringArray{"KEPT"});
    }
    // A folder of that name cannot be read.
    fs::remove(path);
    fs::create_directory(path);
    Zrk_StringArray names;
    Zrk_StringArray cis2Names;
    EXPECT_FALSE(readSectionTranslation(path, names, cis2Names));
}

TEST_F(SectionTranslation, OnlyASoundTableIsWrittenAndTheOldFileStaysOtherwise) {
    ASSERT_TRUE(ObjectExportWriteFile(path, {"HEA-200\tHE200A"}));
    Zrk_String message;
    EXPECT_FALSE(writeSectionTranslationFile(path, {"HEA-200", "HEA-200"}, {"A", "B"}, &message));
    EXPECT_EQ(message, path + " is not written: Entry 2: the section HEA-200 is listed already");
    EXPECT_FALSE(writeSectionTranslationFile(path, {"HEA-200"}, {}, &message));
    EXPECT_EQ(message,
              path + " is not written: The section names and the CIS/2 names are not as many (1 and 0)");
    EXPECT_FALSE(writeSectionTranslationFile(path, {"IPE-100"}, {"IPE\n100"}, &message));
    EXPECT_EQ(
        message,
        path +
            " is not written: Entry 1: the CIS/2 name of IPE-100 holds a tab or another control character");
    Zrk_StringArray lines;
    ASSERT_TRUE(ObjectExportReadFile(path, lines));
    EXPECT_EQ(lines, Zrk_StringArray{"HEA-200\tHE200A"});
    // An empty table is sound: the file then lists nothing.
    EXPECT_TRUE(writeSectionTranslationFile(path, {}, {}, &message)) << message;
    EXPECT_TRUE(ObjectExportReadFile(path, lines));
    EXPECT_TRUE(lines.isEmpty());
}
