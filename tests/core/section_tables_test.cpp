// Section tables: the table file, the tables of a library folder, and looking sections up.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/macro_langs.h"
#include "core/section_tables.h"
#include "core/settings.h"

namespace fs = std::filesystem;

namespace {

class SectionTables : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("ss_sections_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy(fs::path(SS_TEST_DATA_DIR) / "standards" / "prof", folder / "prof");
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string prof() const { return (folder / "prof").string() + "/"; }

    fs::path folder;
};

} // namespace

TEST_F(SectionTables, TableFileRoundTrip) {
    const Zrk_Array<Zrk_StringArray> rows{{"2"}, {"Name", "Active", "English"}, {}, {"200", "1", "HEA 200", ""}};
    ASSERT_TRUE(Zrk_SectionTables::writeFile(prof() + "T.pr", "T", rows));
    std::string bytes;
    ASSERT_TRUE(readFileBytes(prof() + "T.pr", bytes));
    EXPECT_EQ(bytes, "T\n2\nName\tActive\tEnglish\n\n200\t1\tHEA 200\t\n");
    Zrk_String title;
    Zrk_Array<Zrk_StringArray> read;
    ASSERT_TRUE(Zrk_SectionTables::readFile(prof() + "T.pr", title, read));
    EXPECT_EQ(title, "T");
    EXPECT_EQ(read, rows);

    // A cell that would break the layout is refused and the old file stays.
    EXPECT_FALSE(Zrk_SectionTables::writeFile(prof() + "T.pr", "T", {{"a\tb"}}));
    EXPECT_FALSE(Zrk_SectionTables::writeFile(prof() + "T.pr", "T\n", rows));
    ASSERT_TRUE(readFileBytes(prof() + "T.pr", bytes));
    EXPECT_EQ(bytes, "T\n2\nName\tActive\tEnglish\n\n200\t1\tHEA 200\t\n");

    Zrk_String message;
    ASSERT_TRUE(writeFileAtomically(prof() + "Empty.pr", ""));
    EXPECT_FALSE(Zrk_SectionTables::readFile(prof() + "Empty.pr", title, read, &message));
    EXPECT_EQ(message, prof() + "Empty.pr, line 1: expected the table's title line, found an empty file");
    EXPECT_FALSE(Zrk_SectionTables::readFile(prof() + "None.pr", title, read, &message));
    EXPECT_EQ(message, prof() + "None.pr: the file cannot be read: No such file or directory.");
    ASSERT_TRUE(writeFileAtomically(prof() + "Binary.pr", std::string("T\n2\nName\0\x01\n", 12)));
    EXPECT_FALSE(Zrk_SectionTables::readFile(prof() + "Binary.pr", title, read, &message));
    EXPECT_EQ(message, prof() + "Binary.pr, line 3: not text (a control byte)");
}

TEST_F(SectionTables, LooksUpSectionsByEitherName) {
    ASSERT_TRUE(writeFileAtomically(prof() + "Bad.pr", "OnlyTitle\n"));
    Zrk_SectionTables tables;
    ASSERT_TRUE(tables.loadFolder(prof()));
    Zrk_StringArray names;
    tables.getTableNames(names);
    EXPECT_EQ(names, (Zrk_StringArray{"HEA", "IPE"}));
    ASSERT_EQ(tables.loadMessages().length(), 1);
    EXPECT_NE(tables.loadMessages()[0].find("Bad.pr"), Zrk_String::npos);

    // A table cut short ends in a section line with too few cells: none of its sections is known,
    // and the message names the line. Empty cells written at the end of a line are fine.
    std::string bytes;
    ASSERT_TRUE(readFileBytes(prof() + "HEA.pr", bytes));
    ASSERT_TRUE(writeFileAtomically(prof() + "Cut.pr", bytes.substr(0, bytes.find("HE 200 A"))));
    ASSERT_TRUE(writeFileAtomically(prof() + "Wide.pr", "Wide\n2\nName\tActive\tEnglish\n1\t1\tW 1\t\t\n"));
    Zrk_SectionTables cut;
    ASSERT_TRUE(cut.loadFolder(prof()));
    cut.getTableNames(names);
    EXPECT_EQ(names, (Zrk_StringArray{"HEA", "IPE", "Wide"}));
    ASSERT_EQ(cut.loadMessages().length(), 2);
    EXPECT_EQ(cut.loadMessages()[1],
              prof() + "Cut.pr, line 4: expected 9 cells separated by tabs, as line 3 names them, found 4");

    Zrk_String system;
    ASSERT_TRUE(tables.getSystemName("HE 220 A", system)); // the German name of an inactive row
    EXPECT_EQ(system, "HEA-220");
    ASSERT_TRUE(tables.getSystemName("HEA 200K", system)); // the fifth language
    EXPECT_EQ(system, "HEA-200");
    ASSERT_TRUE(tables.getSystemName("IPE-300", system));
    EXPECT_EQ(system, "IPE-300");
    system = "kept";
    EXPECT_FALSE(tables.getSystemName("ipe 300", system));
    EXPECT_FALSE(tables.getSystemName("190.0", system)); // values are no names
    EXPECT_FALSE(tables.getSystemName("", system));
    EXPECT_EQ(system, "kept");

    // Five languages in HEA (its column 5 is "Korean"), four in IPE.
    Zrk_String value;
    ASSERT_EQ(tables.getSectionValue("HEA 200", 0, value), Acad::eOk);
    EXPECT_EQ(value, "190.0");
    ASSERT_EQ(tables.getSectionValue("IPE-300", 0, value), Acad::eOk);
    EXPECT_EQ(value, "300.0");
    EXPECT_EQ(tables.getSectionValue("HEA-220", 1, value), Acad::eInvalidInput); // empty cell
    EXPECT_EQ(tables.getSectionValue("IPE-300", 5, value), Acad::eInvalidInput);
    EXPECT_EQ(tables.getSectionValue("IPE-300", -1, value), Acad::eInvalidInput);
    EXPECT_EQ(tables.getSectionValue("IPE-400", 0, value), Acad::eInvalidInput);
    EXPECT_EQ(value, "300.0");
    ASSERT_EQ(tables.getSectionColumnNames("HEA-200", names), Acad::eOk);
    EXPECT_EQ(names, (Zrk_StringArray{"h", "b"}));
    ASSERT_EQ(tables.getSectionColumnNames("IPE 300", names), Acad::eOk);
    EXPECT_EQ(names, (Zrk_StringArray{"h", "b", "tw", "tf", "r"}));
    EXPECT_EQ(tables.getSectionColumnNames("Nothing", names), Acad::eInvalidInput);
}

TEST_F(SectionTables, TablesPublishedInMemory) {
    Zrk_SectionTables tables;
    tables.loadFolder(prof());
    EXPECT_TRUE(tables.hasTable("IPE"));
    EXPECT_TRUE(tables.hasTable("IPE.pr"));
    ASSERT_EQ(tables.removeTable("IPE"), Acad::eOk);
    EXPECT_EQ(tables.removeTable("IPE"), Acad::eInvalidInput);
    Zrk_String value;
    EXPECT_EQ(tables.getSectionValue("IPE-300", 0, value), Acad::eInvalidInput);

    const Zrk_StringArray headers{"Name", "English", "German", "French", "Dutch", "h"};
    ASSERT_EQ(tables.addSectionTable("IPE.pr", "1", headers, {{"300", "IPE 300", "", "", "", "301.0"}}), Acad::eOk);
    EXPECT_EQ(tables.addSectionTable("IPE", "1", headers, {}), Acad::eInvalidInput); // exists
    EXPECT_EQ(tables.addSectionTable(".pr", "1", headers, {}), Acad::eInvalidInput);
    ASSERT_EQ(tables.getSectionValue("IPE 300", 0, value), Acad::eOk);
    EXPECT_EQ(value, "301.0");
}

TEST_F(SectionTables, TheGlobalTablesFollowTheLibrary) {
    const Zrk_String saved = gSettings.libDir;
    gSettings.libDir = folder.string() + "/";
    EXPECT_TRUE(gSectionTables.hasTable("HEA"));
    ASSERT_EQ(gSectionTables.removeTable("HEA"), Acad::eOk);
    EXPECT_FALSE(gSectionTables.hasTable("HEA")); // in memory until another library is chosen
    gSettings.libDir = "/nonexistent/library/";
    EXPECT_FALSE(gSectionTables.hasTable("IPE"));
    gSettings.libDir = folder.string() + "/";
    EXPECT_TRUE(gSectionTables.hasTable("HEA"));
    gSettings.libDir = saved;
}

TEST_F(SectionTables, ATablesSectionsAreListedInTheUsersLanguage) {
    ASSERT_TRUE(writeFileAtomically(prof() + "L.pr", "L\n3\nName\tActive\tEnglish\tGerman\tFrench\tDutch\th\n"
                                                     "50x5\t1\tL 50x5\t\t\t\t50.0\n"));
    Zrk_SectionTables tables;
    tables.loadFolder(prof());
    Zrk_StringArray systems, users;
    ASSERT_EQ(tables.getTableSections("HEA", systems, users), Acad::eOk);
    EXPECT_EQ(systems, (Zrk_StringArray{"HEA-200", "HEA-220"}));
    EXPECT_EQ(users, (Zrk_StringArray{"HEA 200", "HEA 220"}));
    ASSERT_TRUE(core::setCurrentMacroLanguage("German"));
    ASSERT_EQ(tables.getTableSections("HEA", systems, users), Acad::eOk);
    EXPECT_EQ(users, (Zrk_StringArray{"HE 200 A", "HE 220 A"}));
    ASSERT_EQ(tables.getTableSections("L", systems, users), Acad::eOk);
    EXPECT_EQ(users, (Zrk_StringArray{"50x5"})); // no German name: the row's own
    ASSERT_TRUE(core::setCurrentMacroLanguage("Korean"));
    ASSERT_EQ(tables.getTableSections("IPE", systems, users), Acad::eOk);
    EXPECT_EQ(users, (Zrk_StringArray{"300"})); // a table of four languages has no Korean
    ASSERT_TRUE(core::setCurrentMacroLanguage("English"));
    EXPECT_EQ(tables.getTableSections("XYZ", systems, users), Acad::eInvalidInput);
    EXPECT_EQ(systems, (Zrk_StringArray{"IPE-300"}));

    Zrk_String table, type;
    ASSERT_TRUE(tables.getTableOfSection("HE 220 A", table));
    EXPECT_EQ(table, "HEA");
    EXPECT_FALSE(tables.getTableOfSection("HEA-999", table));
    ASSERT_EQ(tables.getTableSectionType("IPE", type), Acad::eOk);
    EXPECT_EQ(type, "1");
    EXPECT_EQ(tables.getTableSectionType("XYZ", type), Acad::eInvalidInput);
}
