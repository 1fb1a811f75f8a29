// The section library editor (template 209) and its pages: groups (8138), types (8139) and tables
// (8716), on a copy of the sample library. Files written by the tables page are read back through the
// core library; the editor's own mistakes-proofing (save prompts, refused names, failed writes) keeps
// every table.

#include <QAbstractItemModel>
#include <QLabel>
#include <QTableView>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/files.h"
#include "core/language.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "host/module_entry.h"
#include "sections/dlg_section_library.h"
#include "sheetdoc/dlg_text_input.h"
#include "spreadlib/constants.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace fs = std::filesystem;

namespace {

using D = DlgEditLibSections;
using G = DlgSectionGroupsPage;
using T = DlgSectionTypesPage;
using P = DlgSectionTablesPage;

// What a person types into a cell of a grid (through the grid's own editor model).
void typeIntoCell(Zrk_Spread& grid, int column, int row, const Zrk_String& text) {
    QAbstractItemModel* model = grid.view()->model();
    ASSERT_TRUE(
        model->setData(model->index(row - 1, column - 1), QString::fromStdString(text), Qt::EditRole));
}

Zrk_String cell(const Zrk_Spread& grid, int column, int row) {
    Zrk_String text;
    grid.getCellText(column, row, text);
    return text;
}

class SectionLibraryEditor : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("ss_editor_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* part : {"prof", "User Sections"})
            fs::copy(fs::path(SS_SAMPLE_LIBRARY) / part, folder / part, fs::copy_options::recursive);
        saved = gSettings.libDir;
        gSettings.libDir = folder.string() + "/";
        Zrk_String message;
        ASSERT_TRUE(record.readFromLibrary(&message)) << message;
    }
    void TearDown() override {
        gSettings.libDir = saved;
        fs::remove_all(folder);
    }
    Zrk_String prof(const Zrk_String& name) const { return folder.string() + "/prof/" + name; }
    Zrk_ProfValuesTable readTable(const Zrk_String& name) {
        Zrk_ProfValuesTable table;
        EXPECT_TRUE(table.readFromFile(name)) << name;
        return table;
    }
    static D& editor(ui::DialogUser& u) { return static_cast<D&>(u.dialog()); }

    inline static int instance = 0;
    fs::path folder;
    Zrk_String saved;
    DlgEditLibData record;
    ui::ScriptedUser user;
};

} // namespace

TEST_F(SectionLibraryEditor, OpensOnTheGroupsPageAndCancelLeavesTheRecord) {
    const DlgEditLibData before = record;
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        D& d = editor(u);
        EXPECT_EQ(d.title(), dialString(754));
        EXPECT_EQ(d.tabCount(D::kTabs), 3);
        EXPECT_EQ(d.tabCurSel(D::kTabs), 0);
        EXPECT_TRUE(d.groupsPage.isVisible());
        EXPECT_FALSE(d.tablesPage.isVisible());
        // The record's files were listed on opening.
        EXPECT_EQ(d.data.tableNames, (Zrk_StringArray{"FL", "HAT", "HEA", "HEB", "IPE", "L"}));
        EXPECT_EQ(d.data.userTypeNames, (Zrk_StringArray{"Hat section.dwg"}));
        EXPECT_TRUE(d.data.pictureNames.contains("ProfSectionHL"));

        G& groups = d.groupsPage;
        EXPECT_EQ(groups.comboCount(G::kEntries), 4);
        EXPECT_EQ(groups.comboText(G::kEntries, 1), "Angles");
        EXPECT_EQ(groups.comboItemCheck(G::kEntries, 0), 1);
        EXPECT_EQ(groups.comboItemCheck(G::kEntries, 3), 0); // the cold-formed sections are off
        EXPECT_EQ(groups.shownEntry(), 0);
        EXPECT_EQ(groups.checkState(G::kEnabled), 1);
        EXPECT_EQ(groups.itemText(G::kPicture), "ProfSectionI");
        EXPECT_EQ(cell(groups.names, 1, 2), "I-Profile");
        EXPECT_EQ(cell(groups.names, -32767, 5), "Korean");
        u.savePicture(SS_TEST_PICTURE_DIR "/section-library-groups.png");
        u.choose(D::kTabs, 1);
        EXPECT_TRUE(d.typesPage.isVisible());
        EXPECT_FALSE(d.groupsPage.isVisible());
        u.savePicture(SS_TEST_PICTURE_DIR "/section-library-types.png");
        u.choose(D::kTabs, 2);
        u.savePicture(SS_TEST_PICTURE_DIR "/section-library-tables.png");
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(StartDlgEditLibSections(record, ""));
    EXPECT_EQ(record, before);
}

TEST_F(SectionLibraryEditor, AStartSectionShowsItsTableAndRowEvenWhenTheTableNameHoldsADash) {
    // A table "HE-A" beside "HE": the start text is split where the table's name ends.
    Zrk_ProfValuesTable table = readTable("HEA");
    table.tableName = "HE-A";
    ASSERT_TRUE(table.writeToFile("HE-A"));
    table.tableName = "HE";
    table.rows.removeAt(0);
    ASSERT_TRUE(table.writeToFile("HE"));
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        D& d = editor(u);
        EXPECT_EQ(d.tabCurSel(D::kTabs), 2);
        EXPECT_TRUE(d.tablesPage.isVisible());
        P& page = d.tablesPage;
        EXPECT_EQ(page.itemText(P::kTables), "HE-A");
        EXPECT_EQ(page.itemText(P::kType), "<" + dialString(719) + ">");
        int column = 0, row = 0;
        page.grid.getActiveCell(column, row);
        EXPECT_EQ(row, 6); // HE-A-200: the sixth section
        EXPECT_EQ(cell(page.grid, 1, row), "200");
        EXPECT_EQ(cell(page.grid, -32767, row), "HE-A");
        u.click(ui::IDCANCEL);
    });
    StartDlgEditLibSections(record, "HE-A-200");

    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        P& page = editor(u).tablesPage;
        EXPECT_EQ(page.itemText(P::kTables), "L");
        int column = 0, row = 0;
        page.grid.getActiveCell(column, row);
        EXPECT_EQ(cell(page.grid, 1, row), "50x50x6");
        u.savePicture(SS_TEST_PICTURE_DIR "/section-library-tables-L.png");
        u.click(ui::IDCANCEL);
    });
    StartDlgEditLibSections(record, "L-50x50x6");
}

TEST_F(SectionLibraryEditor, GroupsAreAddedEditedAndRemovedAndGoBackOnOK) {
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        D& d = editor(u);
        G& groups = d.groupsPage;
        ui::DialogUser page(groups);
        // A disabled group: its picture and names cannot be edited until it is enabled.
        page.choose(G::kEntries, 3);
        EXPECT_EQ(groups.shownEntry(), 3);
        EXPECT_FALSE(groups.isItemEnabled(G::kPicture));
        EXPECT_FALSE(groups.isItemEnabled(G::kNames));
        EXPECT_FALSE(groups.isItemEnabled(G::kNamesLabel));
        EXPECT_TRUE(groups.isItemEnabled(G::kRemove));
        page.click(G::kEnabled);
        EXPECT_TRUE(groups.isItemEnabled(G::kNames));
        EXPECT_EQ(groups.comboItemCheck(G::kEntries, 3), 1);
        EXPECT_EQ(groups.comboCurSel(G::kEntries), 3);

        // A new group, named and given a picture.
        page.click(G::kAdd);
        EXPECT_EQ(groups.shownEntry(), 4);
        EXPECT_EQ(groups.comboText(G::kEntries, 4), dialString(758));
        EXPECT_EQ(cell(groups.names, 1, 3), dialString(758));
        typeIntoCell(groups.names, 1, 1, "Hollow sections");
        typeIntoCell(groups.names, 1, 2, "Hohlprofile");
        page.typeText(G::kPicture, "ProfSectionRectTube");
        EXPECT_FALSE(groups.itemAs<QLabel>(G::kPreview)->pixmap().isNull());
        page.choose(G::kEntries, 0); // stores the new group
        EXPECT_EQ(groups.comboText(G::kEntries, 4), "Hollow sections");

        // Removing the last group shows the new last one; removing them all disables everything.
        page.choose(G::kEntries, 4);
        page.click(G::kRemove);
        EXPECT_EQ(groups.shownEntry(), 3);
        page.click(G::kRemove);
        page.click(G::kRemove);
        page.choose(G::kEntries, 0);
        page.click(G::kRemove);
        EXPECT_EQ(groups.shownEntry(), 0);
        page.click(G::kRemove);
        EXPECT_EQ(groups.shownEntry(), -1);
        for (int id : {G::kEntries, G::kEnabled, G::kPicture, G::kNames, G::kRemove})
            EXPECT_FALSE(groups.isItemEnabled(id)) << id;
        EXPECT_TRUE(groups.isItemEnabled(G::kAdd));
        page.click(G::kAdd);
        typeIntoCell(groups.names, 1, 1, "Only");
        u.click(ui::IDOK); // the shown group is stored on OK
    });
    ASSERT_TRUE(StartDlgEditLibSections(record, ""));
    ASSERT_EQ(record.groups.length(), 1);
    EXPECT_EQ(record.groups.getName(0), "Only");
    EXPECT_EQ(record.groups.getId(0), 6); // no removed group's id is given again
    // The record goes back to the caller, who keeps it in the library.
    ASSERT_TRUE(record.writeToLibrary());
    DlgEditLibData read;
    ASSERT_TRUE(read.readFromLibrary());
    EXPECT_EQ(read.groups, record.groups);
    EXPECT_EQ(read.types[0].groupId, -1); // its group is gone
}

TEST_F(SectionLibraryEditor, TypesTakeTheirGroupAndATableMadeOnTheTablesPage) {
    user.answerMessageBox(ui::IDYES); // save the new table on OK
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        D& d = editor(u);
        T& types = d.typesPage;
        u.choose(D::kTabs, 2);
        ui::DialogUser tables(d.tablesPage);
        tables.click(P::kNewTable);
        u.choose(D::kTabs, 1);
        ui::DialogUser page(types);
        EXPECT_EQ(types.shownEntry(), 0);
        EXPECT_EQ(types.itemText(T::kGroup), "Cold-formed sections");
        EXPECT_EQ(types.itemText(T::kTable), "HAT");
        EXPECT_EQ(types.comboFindStringExact(T::kTable, dialString(779)), 6); // the new table is offered
        page.click(G::kAdd);
        EXPECT_EQ(types.comboText(G::kEntries, 1), dialString(764));
        EXPECT_EQ(cell(types.names, 1, 5), dialString(764));
        EXPECT_EQ(types.comboCurSel(T::kGroup), -1);
        page.chooseText(T::kGroup, "Angles");
        page.typeText(T::kTable, dialString(779));
        typeIntoCell(types.names, 1, 1, "Box section");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgEditLibSections(record, ""));
    ASSERT_EQ(record.types.length(), 2);
    EXPECT_EQ(record.types[1].getName(), "Box section");
    EXPECT_EQ(record.types[1].groupId, 2);
    EXPECT_EQ(record.types[1].table, dialString(779));
    EXPECT_TRUE(record.tableNames.contains(dialString(779)));
    EXPECT_TRUE(fileExists(prof(dialString(779) + ".pr")));
}

TEST_F(SectionLibraryEditor, AChangedTableIsOfferedForSavingAndCancelKeepsIt) {
    user.onDialog(D::kTemplate, [this](ui::DialogUser& u) {
        D& d = editor(u);
        P& page = d.tablesPage;
        ui::DialogUser tables(page);
        EXPECT_EQ(page.itemText(P::kTables), "FL");
        typeIntoCell(page.grid, 7, 1, "21.0");
        EXPECT_TRUE(page.grid.getBool(spreadlib::kOptionChanged));

        user.answerMessageBox(ui::IDCANCEL);
        tables.chooseText(P::kTables, "L");
        EXPECT_EQ(page.itemText(P::kTables), "FL"); // Cancel keeps the table
        EXPECT_EQ(cell(page.grid, 7, 1), "21.0");
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_EQ(user.messageBoxes()[0].request.text, dialString(785) + " <FL> " + dialString(786));
        EXPECT_EQ(user.messageBoxes()[0].request.caption, dialString(784));
        EXPECT_EQ(user.messageBoxes()[0].request.buttons(), ui::MB_YESNOCANCEL);

        user.answerMessageBox(ui::IDCANCEL);
        u.click(ui::IDOK); // Cancel in the prompt keeps the editor open
        EXPECT_FALSE(d.hasEnded());

        user.answerMessageBox(ui::IDNO);
        tables.chooseText(P::kTables, "L");
        EXPECT_EQ(page.itemText(P::kTables), "L");
        EXPECT_EQ(readTable("FL").rows[0][6], "20.0"); // not saved

        typeIntoCell(page.grid, 7, 2, "55.0");
        user.answerMessageBox(ui::IDYES);
        u.click(ui::IDOK);
        EXPECT_TRUE(d.hasEnded());
    });
    ASSERT_TRUE(StartDlgEditLibSections(record, "FL"));
    EXPECT_EQ(user.messageBoxes().size(), 4u);
    const Zrk_ProfValuesTable l = readTable("L");
    EXPECT_EQ(l.rows[1][6], "55.0");
    EXPECT_EQ(l.tableName, "L");
    EXPECT_EQ(l.sectionType, "3");
    // What was saved reloads through the core library's section tables.
    Zrk_SectionTables tables;
    ASSERT_TRUE(tables.loadFolder(folder.string() + "/prof"));
    Zrk_String value;
    ASSERT_EQ(tables.getSectionValue("L-50x50x5", 0, value), Acad::eOk);
    EXPECT_EQ(value, "55.0");
    ASSERT_EQ(gSectionTables.getSectionValue("L 50x50x5", 0, value), Acad::eOk); // published at once
    EXPECT_EQ(value, "55.0");
}

TEST_F(SectionLibraryEditor, ANewTableIsWrittenOnlyWhenSavedAndDroppedWhenNot) {
    user.onDialog(D::kTemplate, [this](ui::DialogUser& u) {
        D& d = editor(u);
        P& page = d.tablesPage;
        ui::DialogUser tables(page);
        tables.click(P::kNewTable);
        const Zrk_String name = dialString(779);
        EXPECT_EQ(page.itemText(P::kTables), name);
        EXPECT_TRUE(page.grid.getBool(spreadlib::kOptionChanged));
        Zrk_StringArray headers;
        page.grid.getColumnHeaders(headers);
        EXPECT_EQ(headers, (Zrk_StringArray{"SysName", "I/O", "English", "German", "French", "Dutch",
                                            "Korean", dialString(86) + "1", dialString(86) + "2"}));
        Zrk_StringArray first;
        page.grid.readRow(1, first);
        EXPECT_EQ(first, (Zrk_StringArray{"", "1", "", "", "", "", "", "0", "0"}));
        EXPECT_FALSE(fileExists(prof(name + ".pr")));

        user.answerMessageBox(ui::IDNO); // not saved: the new table goes
        tables.chooseText(P::kTables, "HEA");
        EXPECT_EQ(page.comboFindStringExact(P::kTables, name), -1);
        EXPECT_FALSE(d.data.tableNames.contains(name));

        tables.click(P::kNewTable);
        typeIntoCell(page.grid, 1, 1, "1");
        tables.chooseText(P::kType, "<" + dialString(726) + ">"); // a flat bar: two value columns
        user.answerMessageBox(ui::IDYES);
        tables.click(P::kNewTable); // the first is saved, a second one is made
        EXPECT_EQ(page.itemText(P::kTables), name + "1");
        user.answerMessageBox(ui::IDNO);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgEditLibSections(record, "HEA"));
    const Zrk_String name = dialString(779);
    EXPECT_TRUE(record.tableNames.contains(name));
    EXPECT_FALSE(record.tableNames.contains(name + "1"));
    EXPECT_FALSE(fileExists(prof(name + "1.pr")));
    const Zrk_ProfValuesTable table = readTable(name);
    EXPECT_EQ(table.sectionType, "8");
    EXPECT_EQ(table.columnNames[7], dialString(737));
    EXPECT_EQ(table.rows, (Zrk_Array<Zrk_StringArray>{{"1", "1", "", "", "", "", "", "0", "0"}}));
}

TEST_F(SectionLibraryEditor, DeletingAsksAndTheLastTableDeletedLeavesAnEmptyDisabledGrid) {
    for (const char* name : {"FL", "HAT", "HEA", "HEB", "IPE"})
        fs::remove(prof(Zrk_String(name) + ".pr"));
    user.onDialog(D::kTemplate, [this](ui::DialogUser& u) {
        P& page = editor(u).tablesPage;
        ui::DialogUser tables(page);
        EXPECT_EQ(page.itemText(P::kTables), "L");
        user.answerMessageBox(ui::IDNO);
        tables.click(P::kDeleteTable);
        EXPECT_TRUE(fileExists(prof("L.pr")));
        EXPECT_EQ(user.messageBoxes().back().request.text, dialString(788) + " <L> " + dialString(789));
        EXPECT_EQ(user.messageBoxes().back().request.caption, dialString(787));

        user.answerMessageBox(ui::IDYES);
        tables.click(P::kDeleteTable);
        EXPECT_FALSE(fileExists(prof("L.pr")));
        EXPECT_EQ(page.shownTable(), -1);
        EXPECT_EQ(page.grid.getNrRows(), 0);
        EXPECT_EQ(page.grid.getNrCols(), 0);
        for (int id :
             {P::kGrid, P::kTables, P::kType, P::kDeleteTable, P::kRenameTable, P::kSaveTable, P::kInsertRow})
            EXPECT_FALSE(page.isItemEnabled(id)) << id;
        EXPECT_TRUE(page.isItemEnabled(P::kNewTable));
        u.click(ui::IDOK); // nothing to offer for saving
    });
    ASSERT_TRUE(StartDlgEditLibSections(record, "L"));
    EXPECT_TRUE(record.tableNames.isEmpty());
    EXPECT_EQ(user.messageBoxes().size(), 2u);
}

TEST_F(SectionLibraryEditor, RenamingRefusesBadNamesAndAFailedWriteKeepsTheOldTable) {
    const auto rename = [this](const Zrk_String& name) {
        user.onDialog(DlgTextInput::kTemplate, [name](ui::DialogUser& u) {
            EXPECT_EQ(u.dialog().title(), dialString(790));
            u.typeText(DlgTextInput::kEdit, name);
            u.click(ui::IDOK);
        });
    };
    // A folder where the new file would go: that name cannot be written.
    fs::create_directories(folder / "prof" / "Blocked.pr");
    user.onDialog(D::kTemplate, [&](ui::DialogUser& u) {
        P& page = editor(u).tablesPage;
        ui::DialogUser tables(page);
        typeIntoCell(page.grid, 7, 1, "41.0"); // an edit goes with the table to its new name
        const std::pair<Zrk_String, Zrk_String> refused[] = {
            {"  ", dialString(751)},
            {"a/b", dialString(752)},
            {"x:y", dialString(752)},
            {"..", dialString(752)},
            {"hea", dialString(753) + " <HEA>."},
            {"Blocked", dialString(763) + "\n" + prof("Blocked.pr")},
        };
        for (const auto& [name, message] : refused) {
            rename(name);
            tables.click(P::kRenameTable);
            EXPECT_EQ(user.messageBoxes().back().request.text, message) << name;
            EXPECT_EQ(page.itemText(P::kTables), "L");
            EXPECT_TRUE(fileExists(prof("L.pr")));
        }
        EXPECT_EQ(readTable("L").rows[0][6], "40.0");

        rename("Angles");
        tables.click(P::kRenameTable);
        EXPECT_EQ(page.itemText(P::kTables), "Angles");
        EXPECT_EQ(cell(page.grid, -32767, 1), "Angles");
        EXPECT_FALSE(page.grid.getBool(spreadlib::kOptionChanged));
        rename("angles"); // only the letter case
        tables.click(P::kRenameTable);
        EXPECT_EQ(page.itemText(P::kTables), "angles");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgEditLibSections(record, "L"));
    EXPECT_EQ(user.messageBoxes().size(), 6u);
    EXPECT_FALSE(fileExists(prof("L.pr")));
    EXPECT_FALSE(fileExists(prof("Angles.pr")));
    const Zrk_ProfValuesTable renamed = readTable("angles");
    EXPECT_EQ(renamed.tableName, "angles");
    EXPECT_EQ(renamed.rows[0][6], "41.0");
    EXPECT_TRUE(record.tableNames.contains("angles"));
    EXPECT_FALSE(record.tableNames.contains("L"));
    Zrk_String value;
    EXPECT_EQ(gSectionTables.getSectionValue("angles-40x40x4", 0, value), Acad::eOk);
    EXPECT_NE(gSectionTables.getSectionValue("L-40x40x4", 0, value), Acad::eOk);
}

TEST_F(SectionLibraryEditor, ChangingTheTypeMakesItsValueColumnsAndAsksBeforeRemovingAny) {
    // A table with a Korean column: seven columns stay.
    Zrk_ProfValuesTable korean = readTable("L");
    korean.tableName = "LK";
    korean.columnNames.insertAt(6, "Korean");
    for (Zrk_StringArray& row : korean.rows)
        row.insertAt(6, "K");
    ASSERT_TRUE(korean.writeToFile("LK"));
    user.onDialog(D::kTemplate, [this](ui::DialogUser& u) {
        P& page = editor(u).tablesPage;
        ui::DialogUser tables(page);
        Zrk_StringArray headers;
        tables.chooseText(P::kType, "<" + dialString(719) + ">"); // five value columns: one more
        page.grid.getColumnHeaders(headers);
        EXPECT_EQ(headers,
                  (Zrk_StringArray{"Name", "Active", "English", "German", "French", "Dutch", "Korean",
                                   "Height", "Width", "Web thickness", "Flange thickness", "Radius"}));
        EXPECT_TRUE(user.messageBoxes().empty());
        EXPECT_EQ(cell(page.grid, 7, 1), "K");

        user.answerMessageBox(ui::IDNO);
        tables.chooseText(P::kType, "<" + dialString(726) + ">"); // two: the surplus stays on No
        EXPECT_EQ(page.grid.getNrCols(), 12);
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_EQ(user.messageBoxes()[0].request.text,
                  dialString(793) + " <" + dialString(726) + "> " + dialString(794) + "\n" + dialString(795));
        EXPECT_EQ(user.messageBoxes()[0].request.caption, dialString(792));
        user.answerMessageBox(ui::IDYES);
        tables.chooseText(P::kType, "<" + dialString(726) + ">");
        page.grid.getColumnHeaders(headers);
        EXPECT_EQ(headers, (Zrk_StringArray{"Name", "Active", "English", "German", "French", "Dutch",
                                            "Korean", "Width", "Thickness"}));
        EXPECT_EQ(cell(page.grid, 8, 1), "40.0");
        EXPECT_TRUE(page.grid.getBool(spreadlib::kOptionChanged));
        tables.chooseText(P::kType, "Hat section.dwg"); // a drawing: the columns stay
        EXPECT_EQ(page.grid.getNrCols(), 9);
        tables.click(P::kSaveTable);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgEditLibSections(record, "LK"));
    const Zrk_ProfValuesTable saved = readTable("LK");
    EXPECT_EQ(saved.sectionType, "Hat section.dwg");
    EXPECT_EQ(saved.getNrLanguages(), 5);
    EXPECT_EQ(saved.rows[0], (Zrk_StringArray{"40x40x4", "1", "L 40x40x4", "L 40x40x4", "L 40x40x4",
                                              "L 40x40x4", "K", "40.0", "40.0"}));
}

TEST_F(SectionLibraryEditor, GridButtonsEditRowsAndAnUnreadableTableIsShownEmpty) {
    ASSERT_TRUE(writeFileAtomically(prof("Broken.pr"), ""));
    user.onDialog(D::kTemplate, [this](ui::DialogUser& u) {
        P& page = editor(u).tablesPage;
        ui::DialogUser tables(page);
        EXPECT_EQ(page.itemText(P::kTables), "L");
        page.grid.setActiveCell(1, 2);
        tables.click(P::kInsertRow); // a copy of 50x50x5 below it, under a free name
        EXPECT_EQ(page.grid.getNrRows(), 11);
        EXPECT_EQ(cell(page.grid, 1, 3), "50x50x51");
        EXPECT_EQ(cell(page.grid, 3, 3), "L 50x50x5");
        tables.click(P::kRowUp);
        EXPECT_EQ(cell(page.grid, 1, 2), "50x50x51");
        tables.click(P::kRowDown);
        tables.click(P::kDeleteRow);
        EXPECT_EQ(cell(page.grid, 1, 3), "50x50x6");
        EXPECT_EQ(page.grid.getNrRows(), 10);
        tables.click(P::kFind);
        EXPECT_TRUE(page.grid.findDialog != nullptr);

        user.answerMessageBox(ui::IDNO);
        tables.chooseText(P::kTables, "Broken");
        EXPECT_EQ(user.messageBoxes().back().request.icon(), ui::MB_ICONEXCLAMATION);
        EXPECT_EQ(user.messageBoxes().back().request.text.rfind(dialString(766), 0), 0u);
        EXPECT_FALSE(page.isTableLoaded());
        EXPECT_FALSE(page.isItemEnabled(P::kGrid));
        EXPECT_FALSE(page.isItemEnabled(P::kRenameTable));
        EXPECT_TRUE(page.isItemEnabled(P::kDeleteTable));
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgEditLibSections(record, "L-50x50x5"));
    EXPECT_EQ(readTable("L").rows.length(), 10);
}
