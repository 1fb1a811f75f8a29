// The editable section table: its file, rows, naming, system names and publishing.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "../library_folder.h"

#include "core/files.h"
#include "core/macro_langs.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "core/text.h"
#include "host/command_line.h"
#include "sections/prof_values_table.h"

namespace fs = std::filesystem;

namespace {

const char* const kHeaTable = "HEA\n"
                              "2\n"
                              "Name\tActive\tEnglish\tGerman\tFrench\tDutch\tKorean\th\tb\n"
                              "200\t1\tHEA 200\tHE 200 A\tHEA 200\tHEA 200\tHEA 200K\t190.0\t200.0\n"
                              "220\t0\tHEA 220\tHE 220 A\tHEA 220\tHEA 220\tHEA 220K\t210.0\t220.0\n"
                              "240\t1\tHEA 240\tHE 240 A\tHEA 240\tHEA 240\tHEA 240K\t230.0\t240.0\n";

class ProfValuesTable : public LibraryFolderTest {
protected:
    ProfValuesTable() : LibraryFolderTest("ss_prof_") {}

    void SetUp() override {
        LibraryFolderTest::SetUp();
        fs::create_directories(library / "prof");
        host::CommandLine::instance().clear();
        core::setCurrentMacroLanguage("English");
    }
    void TearDown() override {
        core::setCurrentMacroLanguage("English");
        LibraryFolderTest::TearDown();
    }
    std::string prof(const std::string& name) const { return (library / "prof" / name).string(); }
    void write(const std::string& name, const std::string& text) const { ASSERT_TRUE(writeFileAtomically(prof(name), text)); }
    std::string read(const std::string& name) const {
        std::string bytes;
        EXPECT_TRUE(readFileBytes(prof(name), bytes));
        return bytes;
    }
    Zrk_ProfValuesTable load(const std::string& name, const std::string& text) {
        write(name + ".pr", text);
        Zrk_ProfValuesTable table;
        Zrk_String message;
        EXPECT_TRUE(table.readFromFile(name, &message)) << message;
        return table;
    }
};

// A table of four languages whose value columns start at column 6.
const char* const kFlatTable = "FL\n"
                               "8\n"
                               "Name\tActive\tEnglish\tGerman\tFrench\tDutch\tb\tt\n"
                               "100x10\t1\tFL 100x10\tFL 100x10\tPLAT 100x10\tSTRIP 100x10\t100.0\t10.0\n";

} // namespace

TEST_F(ProfValuesTable, LanguageCountFollowsTheKoreanColumn) {
    Zrk_ProfValuesTable hea = load("HEA", kHeaTable);
    EXPECT_EQ(hea.tableName, "HEA");
    EXPECT_EQ(hea.sectionType, "2");
    ASSERT_EQ(hea.columnNames.length(), 9);
    ASSERT_EQ(hea.rows.length(), 3);
    EXPECT_EQ(hea.getNrLanguages(), 5);
    // The values start at column 7: two values fit a row of nine cells, three do not.
    EXPECT_EQ(hea.setValues(0, {191.04, 200.05}), Acad::eOk);
    EXPECT_EQ(hea.rows[0][7], "191.0");
    EXPECT_EQ(hea.rows[0][8], "200.1");
    EXPECT_EQ(hea.setValues(0, {1.0, 2.0, 3.0}), Acad::eInvalidInput);
    EXPECT_EQ(hea.setUserNames(1, "X"), Acad::eOk);
    EXPECT_EQ(hea.rows[1], (Zrk_StringArray{"220", "0", "X", "X", "X", "X", "X", "210.0", "220.0"}));

    Zrk_ProfValuesTable flat = load("FL", kFlatTable);
    EXPECT_EQ(flat.getNrLanguages(), 4);
    EXPECT_EQ(flat.setValues(0, {120.0, 12.0}), Acad::eOk);
    EXPECT_EQ(flat.rows[0], (Zrk_StringArray{"100x10", "1", "FL 100x10", "FL 100x10", "PLAT 100x10", "STRIP 100x10", "120.0", "12.0"}));
    EXPECT_EQ(flat.setUserNames(0, "Y"), Acad::eOk);
    EXPECT_EQ(flat.rows[0][6], "120.0");

    // "Korean" counts only at column 6, and only with the exact spelling.
    flat.columnNames = {"Name", "Active", "English", "German", "French", "Korean", "Dutch", "b"};
    EXPECT_EQ(flat.getNrLanguages(), 4);
    flat.columnNames = {"Name", "Active", "English", "German", "French", "Dutch", "korean"};
    EXPECT_EQ(flat.getNrLanguages(), 4);
    flat.columnNames = {"Name", "Active", "English", "German", "French", "Dutch", "Korean"};
    EXPECT_EQ(flat.getNrLanguages(), 5);

    // Rows too short or out of range are refused and stay as they were.
    flat.rows[0].setLength(6);
    EXPECT_EQ(flat.setUserNames(0, "Z"), Acad::eInvalidInput);
    EXPECT_EQ(flat.setUserNames(5, "Z"), Acad::eInvalidInput);
    EXPECT_EQ(flat.setValues(-1, {}), Acad::eInvalidInput);
    EXPECT_EQ(flat.rows[0][2], "Y");
}

TEST_F(ProfValuesTable, ReadingFiles) {
    // A title and one line: the line is a section, the headers stay empty.
    Zrk_ProfValuesTable table = load("IPE", kHeaTable);
    write("One.pr", "One\n100\t1\tA 100\n");
    ASSERT_TRUE(table.readFromFile("One.pr"));
    EXPECT_EQ(table.tableName, "One");
    EXPECT_EQ(table.sectionType, "");
    EXPECT_TRUE(table.columnNames.isEmpty());
    EXPECT_EQ(table.rows, (Zrk_Array<Zrk_StringArray>{{"100", "1", "A 100"}}));
    EXPECT_EQ(table.getNrLanguages(), 4);

    // Blank lines among the sections are no sections; an empty type line is an empty type.
    write("Gaps.pr", "Gaps\n\nName\tActive\n\n100\t1\n\n110\t0\n");
    ASSERT_TRUE(table.readFromFile("Gaps"));
    EXPECT_EQ(table.sectionType, "");
    EXPECT_EQ(table.columnNames, (Zrk_StringArray{"Name", "Active"}));
    EXPECT_EQ(table.rows, (Zrk_Array<Zrk_StringArray>{{"100", "1"}, {"110", "0"}}));

    // The file's name may differ in letter case from the table's.
    ASSERT_TRUE(table.readFromFile("gaps"));
    EXPECT_EQ(table.tableName, "Gaps");

    // What cannot be read changes nothing and says why.
    const Zrk_ProfValuesTable before = table;
    Zrk_String message;
    EXPECT_FALSE(table.readFromFile("Missing", &message));
    EXPECT_EQ(message, prof("Missing.pr") + ": the file cannot be read: No such file or directory.");
    write("Empty.pr", "");
    EXPECT_FALSE(table.readFromFile("Empty.pr", &message));
    EXPECT_NE(message.find("expected the table's title line"), Zrk_String::npos);
    EXPECT_FALSE(table.readFromFile("../prof/Gaps", &message));
    EXPECT_EQ(message, "\"../prof/Gaps\" is not the name of a section table");
    EXPECT_FALSE(table.readFromFile(""));
    EXPECT_EQ(host::CommandLine::instance().buffer(), "*Error* \"\" is not the name of a section table.\n");
    EXPECT_EQ(table.tableName, before.tableName);
    EXPECT_EQ(table.rows, before.rows);
}

TEST_F(ProfValuesTable, WritesWhatItReads) {
    Zrk_ProfValuesTable table = load("HEA", kHeaTable);
    ASSERT_TRUE(table.writeToFile("HEA"));
    EXPECT_EQ(read("HEA.pr"), kHeaTable);

    // Under another name, with the extension given or not; the title stays the table's name.
    ASSERT_TRUE(table.writeToFile("Copy.pr"));
    EXPECT_EQ(read("Copy.pr"), kHeaTable);

    // A table without headers comes back the same.
    Zrk_ProfValuesTable bare;
    bare.tableName = "Bare";
    bare.rows = {{"1", "1", "B 1"}};
    ASSERT_TRUE(bare.writeToFile("Bare"));
    Zrk_ProfValuesTable back;
    ASSERT_TRUE(back.readFromFile("Bare"));
    EXPECT_EQ(back.tableName, "Bare");
    EXPECT_EQ(back.sectionType, "");
    EXPECT_TRUE(back.columnNames.isEmpty());
    EXPECT_EQ(back.rows, bare.rows);

    // A cell that would break the file is refused and the old file stays.
    table.rows[0][2] = "HEA\t200";
    EXPECT_FALSE(table.writeToFile("HEA"));
    EXPECT_EQ(read("HEA.pr"), kHeaTable);
    EXPECT_FALSE(table.writeToFile("sub/HEA"));
    EXPECT_FALSE(fs::exists(library / "prof" / "sub"));

    // A library without a "prof" folder gets one.
    fs::remove_all(library / "prof");
    ASSERT_TRUE(bare.writeToFile("Bare"));
    EXPECT_EQ(read("Bare.pr"), "Bare\n\n\n1\t1\tB 1\n");
}

TEST_F(ProfValuesTable, RowsAndColumns) {
    Zrk_ProfValuesTable table = load("HEA", kHeaTable);
    table.rows[2].setLength(3); // a short row
    Zrk_StringArray row;
    EXPECT_TRUE(table.getRow(1, row));
    EXPECT_EQ(row[0], "220");
    EXPECT_FALSE(table.getRow(3, row));
    EXPECT_FALSE(table.getRow(-1, row));
    EXPECT_EQ(row[0], "220");

    Zrk_StringArray column;
    ASSERT_TRUE(table.getColumn("h", column));
    EXPECT_EQ(column, (Zrk_StringArray{"190.0", "210.0", ""}));
    EXPECT_EQ(table.getColumnIdx("b"), 8);
    EXPECT_EQ(table.getColumnIdx("B"), -1);
    EXPECT_FALSE(table.getColumn("B", column));
    EXPECT_FALSE(table.getColumn(9, column));
    EXPECT_FALSE(table.getColumn(-1, column));
    // The first row decides which columns exist.
    table.rows[0].setLength(2);
    EXPECT_FALSE(table.getColumn(2, column));
    EXPECT_TRUE(table.getColumn(1, column));
    EXPECT_EQ(column, (Zrk_StringArray{"1", "0", "1"}));

    EXPECT_EQ(table.setSysName(1, "221"), Acad::eOk);
    EXPECT_EQ(table.rows[1][0], "221");
    table.rows.append(Zrk_StringArray{});
    EXPECT_EQ(table.setSysName(3, "x"), Acad::eInvalidInput);
    EXPECT_EQ(table.setSysName(4, "x"), Acad::eInvalidInput);

    EXPECT_FALSE(table.deleteRow(4));
    EXPECT_TRUE(table.deleteRow(3));
    EXPECT_TRUE(table.deleteRow(0));
    EXPECT_EQ(table.rows.length(), 2);
    EXPECT_EQ(table.rows[0][0], "221");
    Zrk_ProfValuesTable empty;
    EXPECT_FALSE(empty.getColumn(0, column));
    EXPECT_FALSE(empty.deleteRow(0));
}

TEST_F(ProfValuesTable, InsertedRowsAreNamedAfterTheCopiedOne) {
    Zrk_ProfValuesTable table = load("HEA", kHeaTable);

    // A word, a blank and a number: the copy gets an unused variant of the system name, and the word
    // and blank followed by it in the user's language.
    ASSERT_TRUE(table.insertRow(0));
    ASSERT_EQ(table.rows.length(), 4);
    EXPECT_EQ(table.rows[1], (Zrk_StringArray{"2001", "1", "HEA 2001", "HE 200 A", "HEA 200", "HEA 200", "HEA 200K", "190.0", "200.0"}));
    EXPECT_EQ(table.rows[0][0], "200");
    ASSERT_TRUE(table.insertRow(0));
    EXPECT_EQ(table.rows[1][0], "2002");
    EXPECT_EQ(table.rows[1][2], "HEA 2002");

    // In another language only that language's column is named.
    ASSERT_TRUE(core::setCurrentMacroLanguage("German"));
    ASSERT_TRUE(table.insertRow(3));
    EXPECT_EQ(table.rows[4][0], "2201");
    EXPECT_EQ(table.rows[4][2], "HEA 220");
    EXPECT_EQ(table.rows[4][3], "HE 2201");
    EXPECT_EQ(table.rows[4][1], "0");

    // The last row can be copied too.
    ASSERT_TRUE(table.insertRow(5));
    EXPECT_EQ(table.rows.length(), 7);
    EXPECT_EQ(table.rows[6][0], "2401");
    EXPECT_FALSE(table.insertRow(7));
    EXPECT_FALSE(table.insertRow(-1));
    EXPECT_EQ(table.rows.length(), 7);
}

TEST_F(ProfValuesTable, InsertedNamesWithoutDigitsOrLanguage) {
    Zrk_ProfValuesTable table = load("T", "T\n1\nName\tActive\tEnglish\tGerman\tFrench\tDutch\th\n"
                                          "\t1\tSpecial\tS\tS\tS\t1.0\n"
                                          "A\t1\t12 mm\tS\tS\tS\t1.0\n");
    ASSERT_TRUE(table.insertRow(0));
    EXPECT_EQ(table.rows[1][0], "1"); // an empty system name starts from "1"
    EXPECT_EQ(table.rows[1][2], "Special1");
    ASSERT_TRUE(table.insertRow(0));
    EXPECT_EQ(table.rows[1][0], "11");
    ASSERT_TRUE(table.insertRow(3));
    EXPECT_EQ(table.rows[4][0], "A1");
    EXPECT_EQ(table.rows[4][2], "TA1"); // nothing before the digits: the table's name

    // A language the table has no column for names no display name.
    ASSERT_TRUE(core::setCurrentMacroLanguage("Korean"));
    ASSERT_TRUE(table.insertRow(4));
    EXPECT_EQ(table.rows[5][0], "A11");
    EXPECT_EQ(table.rows[5][2], "TA1");

    // Rows longer than the headers are cut to them; a table without headers copies the row whole.
    table.rows[0].append("extra");
    ASSERT_TRUE(table.insertRow(0));
    EXPECT_EQ(table.rows[1].length(), 7);
    Zrk_ProfValuesTable bare;
    bare.tableName = "B";
    bare.rows = {{"7", "1", "B 7", "x"}};
    ASSERT_TRUE(bare.insertRow(0));
    EXPECT_EQ(bare.rows[1], (Zrk_StringArray{"71", "1", "B 7", "x"}));
}

TEST_F(ProfValuesTable, InsertedRowWithNames) {
    Zrk_ProfValuesTable table = load("HEA", kHeaTable);
    EXPECT_EQ(table.insertRow(0, "210", "HEA 210"), Acad::eOk);
    ASSERT_EQ(table.rows.length(), 4);
    // The names go to the new row; the copied section keeps its own.
    EXPECT_EQ(table.rows[0][0], "200");
    EXPECT_EQ(table.rows[0][2], "HEA 200");
    EXPECT_EQ(table.rows[1], (Zrk_StringArray{"210", "1", "HEA 210", "HEA 210", "HEA 210", "HEA 210", "HEA 210", "190.0", "200.0"}));
    EXPECT_EQ(table.insertRow(3, "250", "HEA 250"), Acad::eOk);
    EXPECT_EQ(table.rows[4][0], "250");

    // A system name in use, a bad index or rows without room for the names: nothing changes.
    const Zrk_ProfValuesTable before = table;
    EXPECT_EQ(table.insertRow(0, "220", "HEA 220"), Acad::eInvalidInput);
    EXPECT_EQ(table.insertRow(5, "260", "HEA 260"), Acad::eInvalidInput);
    table.rows[0].setLength(4);
    table.columnNames.setLength(4);
    const Zrk_ProfValuesTable shortRows = table;
    EXPECT_EQ(table.insertRow(0, "199", "HEA 199"), Acad::eInvalidInput);
    EXPECT_EQ(table.rows, shortRows.rows);
    EXPECT_EQ(before.rows.length(), table.rows.length());
}

TEST_F(ProfValuesTable, SystemNamesAndActiveRows) {
    Zrk_ProfValuesTable table = load("HEA", kHeaTable);
    table.rows.append(Zrk_StringArray{"260", "", "HEA 260"}); // an empty flag
    table.rows.append(Zrk_StringArray{"280", "1", "HEA 280"});
    table.rows.append(Zrk_StringArray{"300"});                // no flag at all

    Zrk_StringArray names;
    table.getSysNames(names);
    EXPECT_EQ(names, (Zrk_StringArray{"HEA-200", "HEA-220", "HEA-240", "HEA-260", "HEA-280", "HEA-300"}));
    table.getFilteredSysNames(names);
    EXPECT_EQ(names, (Zrk_StringArray{"HEA-200", "HEA-240", "HEA-280"}));

    // Positions among the active rows: the empty flag counts as inactive, and every active row's
    // position is its place in the filtered list.
    EXPECT_EQ(table.getfilteredIdx(0), 0);
    EXPECT_EQ(table.getfilteredIdx(2), 1);
    EXPECT_EQ(table.getfilteredIdx(4), 2);
    EXPECT_EQ(table.getfilteredIdx(5), 3);
    EXPECT_EQ(table.getfilteredIdx(6), -1);
    EXPECT_EQ(table.getfilteredIdx(-1), -1);
    for (int i = 0; i < table.rows.length(); ++i) {
        if (table.rows[i].length() > 1 && table.rows[i][1] == "1") {
            EXPECT_EQ(names[table.getfilteredIdx(i)], "HEA-" + table.rows[i][0]);
        }
    }

    int index = -1;
    EXPECT_TRUE(table.findSysName("240", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(table.findSysName("HEA-240", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(table.findUnusedSysName("250"), "250");
    EXPECT_EQ(table.findUnusedSysName("260"), "2601");

    // Only rows flagged "0" go; a row without a flag is no inactive row.
    table.removeInactiveEntries();
    table.getSysNames(names);
    EXPECT_EQ(names, (Zrk_StringArray{"HEA-200", "HEA-240", "HEA-260", "HEA-280", "HEA-300"}));

    // A first row too short for a flag gives no names at all.
    table.rows.insertAt(0, Zrk_StringArray{"100"});
    table.getSysNames(names);
    EXPECT_TRUE(names.isEmpty());
    table.getFilteredSysNames(names);
    EXPECT_TRUE(names.isEmpty());
}

TEST_F(ProfValuesTable, PublishesIntoTheSectionTables) {
    Zrk_ProfValuesTable table = load("HEA", kHeaTable);
    EXPECT_EQ(table.setToGlobals(nullptr), Acad::eInvalidInput);

    Zrk_SectionTables manager;
    ASSERT_TRUE(manager.loadFolder(prof("")));
    ASSERT_TRUE(manager.hasTable("HEA"));
    table.rows[0][7] = "191.0";
    table.rows[1][2] = "HEA 220 new";
    EXPECT_EQ(table.setToGlobals(&manager), Acad::eOk);
    Zrk_StringArray tables;
    manager.getTableNames(tables);
    EXPECT_EQ(tables, (Zrk_StringArray{"HEA"}));
    Zrk_String value;
    EXPECT_EQ(manager.getSectionValue("HEA-200", 0, value), Acad::eOk);
    EXPECT_EQ(value, "191.0");
    EXPECT_EQ(manager.getSectionValue("HEA 220 new", 1, value), Acad::eOk);
    EXPECT_EQ(value, "220.0");
    Zrk_StringArray columns;
    EXPECT_EQ(manager.getSectionColumnNames("HEA-240", columns), Acad::eOk);
    EXPECT_EQ(columns, (Zrk_StringArray{"h", "b"}));
    Zrk_String system;
    EXPECT_TRUE(manager.getSystemName("HEA 240K", system)); // the Korean column is a language
    EXPECT_EQ(system, "HEA-240");

    // A new table joins; a table without a name cannot.
    Zrk_ProfValuesTable user = table;
    user.tableName = "USER";
    user.sectionType = "Bracket.dwg";
    EXPECT_EQ(user.setToGlobals(&manager), Acad::eOk);
    EXPECT_TRUE(manager.hasTable("USER.pr"));
    user.tableName.clear();
    EXPECT_EQ(user.setToGlobals(&manager), Acad::eInvalidInput);
    EXPECT_TRUE(manager.hasTable("HEA"));
}

TEST(SampleSectionTables, EveryRowHasItsNamesAndValues) {
    const Zrk_String saved = gSettings.libDir;
    gSettings.libDir = core::defaultLibraryFolder();
    for (const char* name : {"IPE", "HEA", "HEB", "FL", "L"}) {
        Zrk_ProfValuesTable table;
        Zrk_String message;
        ASSERT_TRUE(table.readFromFile(name, &message)) << message;
        EXPECT_EQ(table.tableName, name);
        EXPECT_EQ(table.getColumnIdx("Name"), 0);
        EXPECT_EQ(table.getColumnIdx("Active"), 1);
        const int values = table.columnNames.length() - 2 - table.getNrLanguages();
        EXPECT_GE(values, 2) << name;
        ASSERT_GE(table.rows.length(), 10) << name;
        Zrk_StringArray systemNames;
        for (int i = 0; i < table.rows.length(); ++i) {
            const Zrk_StringArray& row = table.rows[i];
            ASSERT_EQ(row.length(), table.columnNames.length()) << name << " " << i;
            EXPECT_TRUE(row[1] == "0" || row[1] == "1");
            EXPECT_EQ(systemNames.find(row[0]), -1) << name << " " << row[0];
            systemNames.append(row[0]);
            for (int v = 0; v < values; ++v) EXPECT_TRUE(isNumber(row[2 + table.getNrLanguages() + v]));
        }
    }
    Zrk_ProfValuesTable heb;
    ASSERT_TRUE(heb.readFromFile("HEB"));
    EXPECT_EQ(heb.getNrLanguages(), 5);
    gSettings.libDir = saved;
}
