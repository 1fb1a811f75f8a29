// The standards mapping page in the macro settings dialog, played by a scripted user on a library of its own:
// the row list and its choices, the variable table and its preselections, the records written under new keys
// (and the ones never written), the structure buttons, and what a row that cannot be shown leaves.
#include <QApplication>
#include <QComboBox>
#include <QTableView>
#include <cctype>
#include <gtest/gtest.h>

#include "constraints/dlg_macro_settings.h"
#include "core/files.h"
#include "core/text.h"
#include "library_fixture.h"
#include "sheet_writer.h"
#include "standards/mapping_file.h"
#include "ui/scripted_user.h"

using namespace spreadlib;
using Page = StandardsMappingPage;
using Host = DlgMacroSettings;

namespace {

constexpr const char* kKey = "PlateKey0000000000000001"; // the stored record of Plate
constexpr const char* kModules = "Module.Plate";

// The centre of a cell of a grid, in the coordinates of the dialog the grid lies in (at any depth).
QPoint cellPoint(Zrk_Spread& grid, ui::Dialog& dialog, int col, int row) {
    grid.flushView();
    QTableView* view = grid.view();
    const QRect rect = view->visualRect(view->model()->index(row - 1, col - 1));
    return view->viewport()->mapTo(&dialog, rect.center());
}

Zrk_String cell(const Zrk_Spread& grid, int col, int row) {
    Zrk_String text;
    grid.getCellText(col, row, text);
    return text;
}

// A person clicks the cell, opens its drop-down (F2), picks the item and presses Enter.
void choose(ui::DialogUser& u, Zrk_Spread& grid, int col, int row, const Zrk_String& item) {
    ASSERT_TRUE(u.clickAt(cellPoint(grid, u.dialog(), col, row)));
    ASSERT_TRUE(u.pressKey(ui::VK_F2));
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(combo, nullptr) << "no drop-down on " << col << ", " << row;
    const int index = combo->findText(QString::fromStdString(item));
    ASSERT_GE(index, 0) << item;
    combo->setCurrentIndex(index);
    ASSERT_TRUE(u.pressKey(ui::VK_RETURN));
}

class MappingPageTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeSheet(standard("Plate"), {
                                          {"Input"},
                                          {"Double Width", "String Section"},
                                          {"Output"},
                                          {"Double Height"},
                                          {"Calc"},
                                          {"Height = Width"},
                                      });
        writeSheet(standard("Sub/Bolts"), {{"Input"}, {"Int Count"}, {"Output"}, {"String Rows"}, {"Calc"}});
        writeSheet(standard("NoSections"), {{"Double Width"}, {"Calc"}});
        ASSERT_TRUE(writeFileAtomically(standard("Broken").string(), "this is no spreadsheet\n"));
        storedLine = std::string(kKey) + "=Width\x83"
                                         "EndPlate\x95"
                                         "Distance Width\xBF"
                                         "Section\x83\x95"
                                         "PrPlName Prof0";
        ASSERT_TRUE(ObjectExportWriteFile(mapFile("Plate"), {"Mapping version 1.0",
                                                             "Other=Width\x83"
                                                             "EndPlate\x95"
                                                             "Distance Height",
                                                             storedLine}));
        openConnection();
        ASSERT_EQ(catalogue.initAllVarsFromMacro(macro, nullptr), Acad::eOk);
        settings.tabMapping.moduleNames = {"Plate", "Plate2", "Bolts", "Cleat"};
        settings.tabMapping.macroMapping = &catalogue;
    }

    std::filesystem::path standard(const std::string& name) const {
        return library / "Connection Standards" / (name + ".kvs");
    }
    std::string mapFile(const std::string& name) const { return standardsFolder() + name + ".map"; }
    Zrk_StringArray mapLines(const std::string& name) const {
        Zrk_StringArray lines;
        ObjectExportReadFile(mapFile(name), lines);
        return lines;
    }
    void rows(Zrk_StringArray names, Zrk_StringArray refs) {
        settings.tabMapping.ssNames = std::move(names);
        settings.tabMapping.mappingRefs = std::move(refs);
    }
    // Runs a host on the settings with the script, as the entry does; on OK the settings become the
    // host's. Answers how it ended.
    int run(std::function<void(ui::DialogUser&, Page&)> script) {
        Host host(Zrk_String(), Host::kStandardsPage);
        host.data = settings;
        user.onDialog(Host::kTemplate, [&](ui::DialogUser& u) { script(u, host.mappingPage); });
        const int result = host.doModal();
        if (result == ui::IDOK) settings = host.data;
        return result;
    }
    TabMappingData& mapping() { return settings.tabMapping; }

    KvSSMapping catalogue;
    MacroSettingsData settings;
    ui::ScriptedUser user;
    std::string storedLine;
};

// The table rows of a sheet with inputs Width and Section and output Height.
constexpr int kWidthRow = 3, kSectionRow = 4, kHeightRow = 7;

} // namespace

TEST_F(MappingPageTest, ShowsTheListAndTheStoredBindingsOfTheFirstRow) {
    rows({"Plate", "Sub/Bolts"}, {kKey, kModules});
    run([&](ui::DialogUser& u, Page& page) {
        EXPECT_EQ(page.list.getNrRows(), 2);
        Zrk_StringArray headers;
        page.list.getColumnHeaders(headers);
        EXPECT_EQ(headers, (Zrk_StringArray{"Spreadsheet", "Maps to"}));
        EXPECT_EQ(cell(page.list, 1, 1), "Plate");
        EXPECT_EQ(cell(page.list, 2, 1), "<Entire macro>");
        EXPECT_EQ(cell(page.list, 2, 2), "Plate"); // a module row shows its module
        CellType type;
        page.list.getCellType(1, 2, type);
        // Spreadsheets of subfolders by their path relative to the standards folder.
        EXPECT_EQ(type.comboItems(), (Zrk_StringArray{"Broken", "NoSections", "Plate", "Sub/Bolts"}));
        page.list.getCellType(2, 2, type);
        EXPECT_EQ(type.comboItems(),
                  (Zrk_StringArray{"<Entire macro>", "Plate", "Plate2", "Bolts", "Cleat"}));

        // The table: a blank row and "Input", the inputs, a blank row and "Output", the outputs.
        Page& p = page;
        EXPECT_EQ(cell(p.table, 0, 0), "Type");
        p.table.getColumnHeaders(headers);
        EXPECT_EQ(headers, (Zrk_StringArray{"Std Name", "Macro object"}));
        ASSERT_EQ(p.table.getNrRows(), 7);
        EXPECT_EQ(cell(p.table, 0, 2), "Input");
        EXPECT_EQ(cell(p.table, 0, kWidthRow), "Decim");
        EXPECT_EQ(cell(p.table, 1, kWidthRow), "Width");
        EXPECT_EQ(cell(p.table, 2, kWidthRow), "EndPlate.Width");
        EXPECT_EQ(cell(p.table, 0, kSectionRow), "Tekst");
        EXPECT_EQ(cell(p.table, 2, kSectionRow), "Prof0.PrPlName");
        EXPECT_EQ(cell(p.table, 0, 6), "Output");
        EXPECT_EQ(cell(p.table, 2, kHeightRow), ""); // not bound
        // A Double variable is offered every numeric object, a String one every text object.
        p.table.getCellType(2, kWidthRow, type);
        const Zrk_StringArray numeric = type.comboItems();
        EXPECT_EQ(numeric[0], "");
        EXPECT_GE(findString(numeric, "BoltGroup.BoltsDiameter"), 0);
        EXPECT_GE(findString(numeric, "BoltGroup.Rows.PatternReverseStart2"), 0);
        EXPECT_GE(findString(numeric, "Prof0;1 b"), 0); // a section size shows its column
        EXPECT_LT(findString(numeric, "Prof0.PrPlName"), 0);
        p.table.getCellType(2, kSectionRow, type);
        EXPECT_GE(findString(type.comboItems(), "BoltGroup.Rows.PatternNrBolts1"), 0);
        EXPECT_LT(findString(type.comboItems(), "EndPlate.Width"), 0);
        EXPECT_EQ(p.variableRows.length(), 3);

        // The module row: nothing in the table.
        u.clickAt(cellPoint(p.list, u.dialog(), 1, 2));
        EXPECT_EQ(p.currentRow, 1);
        EXPECT_EQ(p.table.getNrRows(), 0);
        EXPECT_TRUE(p.variableRows.isEmpty());
        u.click(ui::IDOK);
    });
    // Looked at, nothing changed: nothing written, not modified.
    EXPECT_FALSE(settings.standardsModified);
    EXPECT_EQ(mapping().mappingRefs, (Zrk_StringArray{kKey, kModules}));
    EXPECT_EQ(mapLines("Plate").length(), 3);
}

TEST_F(MappingPageTest, AChangedRowAppendsANewKeyAndLeavesTheOldRecord) {
    rows({"Plate", "Sub/Bolts"}, {kKey, kModules});
    const Zrk_StringArray before = mapLines("Plate");
    Zrk_String newKey;
    EXPECT_EQ(run([&](ui::DialogUser& u, Page& page) {
                  choose(u, page.table, 2, kHeightRow, "EndPlate.Height");
                  choose(u, page.table, 2, kWidthRow, ""); // the binding taken away
                  EXPECT_FALSE(page.modified);
                  // Leaving the row saves it.
                  u.clickAt(cellPoint(page.list, u.dialog(), 1, 2));
                  EXPECT_TRUE(page.modified);
                  newKey = page.data->mappingRefs[0];
                  // Back on the row, the new record is shown.
                  u.clickAt(cellPoint(page.list, u.dialog(), 2, 1));
                  EXPECT_EQ(cell(page.table, 2, kWidthRow), "");
                  EXPECT_EQ(cell(page.table, 2, kHeightRow), "EndPlate.Height");
                  EXPECT_EQ(cell(page.table, 2, kSectionRow), "Prof0.PrPlName");
                  u.click(ui::IDOK);
              }),
              ui::IDOK);
    ASSERT_EQ(newKey.size(), 24u);
    EXPECT_NE(newKey, kKey);
    EXPECT_EQ(mapping().mappingRefs, (Zrk_StringArray{newKey, kModules}));
    EXPECT_TRUE(settings.standardsModified);
    // The old lines stand as they were; the new one is appended.
    const Zrk_StringArray after = mapLines("Plate");
    ASSERT_EQ(after.length(), before.length() + 1);
    for (int i = 0; i < before.length(); ++i)
        EXPECT_EQ(after[i], before[i]);
    EXPECT_EQ(after.last(), newKey + "=Section\x83\x95PrPlName Prof0\xBFHeight\x83"
                                     "EndPlate\x95"
                                     "Distance Height");
}

TEST_F(MappingPageTest, AModuleRowTurnedToTheEntireMacroGetsARecordOfItsOwn) {
    rows({"Plate"}, {kModules});
    run([&](ui::DialogUser& u, Page& page) {
        EXPECT_EQ(page.table.getNrRows(), 0);
        choose(u, page.list, 2, 1, "<Entire macro>");
        EXPECT_EQ(page.data->mappingRefs[0], ""); // no record yet
        EXPECT_TRUE(page.modified);
        ASSERT_EQ(page.table.getNrRows(), 7); // shown at once
        EXPECT_EQ(cell(page.table, 2, kWidthRow), "");
        choose(u, page.table, 2, kWidthRow, "EndPlate.Height");
        u.click(ui::IDOK);
    });
    const Zrk_String key = mapping().mappingRefs[0];
    ASSERT_EQ(key.size(), 24u);
    EXPECT_EQ(mapLines("Plate").last(), key + "=Width\x83"
                                              "EndPlate\x95"
                                              "Distance Height");

    // And back to a module: the reference names the module again, and the table is empty.
    run([&](ui::DialogUser& u, Page& page) {
        EXPECT_EQ(cell(page.table, 2, kWidthRow), "EndPlate.Height");
        choose(u, page.list, 2, 1, "Bolts");
        EXPECT_EQ(page.table.getNrRows(), 0);
        u.click(ui::IDOK);
    });
    EXPECT_EQ(mapping().mappingRefs[0], "Module.Bolts");
}

TEST_F(MappingPageTest, AnUnknownKeyPreselectsNothingOfAnotherRow) {
    rows({"Plate", "Plate"}, {kKey, "UnknownKey00000000000000"});
    run([&](ui::DialogUser& u, Page& page) {
        EXPECT_EQ(cell(page.table, 2, kWidthRow), "EndPlate.Width");
        u.clickAt(cellPoint(page.list, u.dialog(), 1, 2));
        EXPECT_EQ(page.currentRow, 1);
        EXPECT_EQ(cell(page.table, 2, kWidthRow), "");
        EXPECT_EQ(cell(page.table, 2, kSectionRow), "");
        EXPECT_TRUE(page.workingMapping.mappedObjects().isEmpty());
        u.click(ui::IDCANCEL);
    });
}

TEST_F(MappingPageTest, RowsThatCannotBeShownLeakNothing) {
    // A bound row, then rows whose spreadsheet has no name, cannot be loaded, lacks its sections.
    rows({"Plate", "", "Broken", "NoSections", "Missing"}, {kKey, "", "", "", ""});
    const Zrk_StringArray before = mapLines("Plate");
    run([&](ui::DialogUser& u, Page& page) {
        for (int row = 2; row <= 5; ++row) {
            u.clickAt(cellPoint(page.list, u.dialog(), 1, row));
            EXPECT_EQ(page.currentRow, row - 1);
            EXPECT_EQ(page.table.getNrRows(), 0) << row;
            EXPECT_TRUE(page.variableRows.isEmpty());
            EXPECT_TRUE(page.table.varCells.cells.isEmpty());
            EXPECT_TRUE(page.workingMapping.mappedObjects().isEmpty());
        }
        EXPECT_TRUE(user.messageBoxes().empty()); // no message for a sheet that cannot be shown
        u.click(ui::IDOK);
    });
    EXPECT_EQ(mapping().mappingRefs, (Zrk_StringArray{kKey, "", "", "", ""}));
    EXPECT_EQ(mapLines("Plate"), before);
    for (const char* name : {"Broken", "NoSections", "Missing", ""})
        EXPECT_FALSE(fileExists(mapFile(name))) << name;
    EXPECT_FALSE(settings.standardsModified);
}

TEST_F(MappingPageTest, AddRemoveUpAndDown) {
    rows({"Plate", "Sub/Bolts", "Plate"}, {kKey, kModules, ""});
    run([&](ui::DialogUser& u, Page& page) {
        ui::DialogUser onPage(page);
        // Up on the first row and Down on the last do nothing at all.
        page.list.setActiveCell(1, 1);
        onPage.click(Page::kUp);
        page.list.setActiveCell(1, 3);
        onPage.click(Page::kDown);
        EXPECT_EQ(page.data->ssNames, (Zrk_StringArray{"Plate", "Sub/Bolts", "Plate"}));
        EXPECT_FALSE(page.modified);

        // Down on the first row: the rows swap, the moved row is current and shown.
        page.list.setActiveCell(1, 1);
        onPage.click(Page::kDown);
        EXPECT_EQ(page.data->ssNames, (Zrk_StringArray{"Sub/Bolts", "Plate", "Plate"}));
        EXPECT_EQ(page.data->mappingRefs, (Zrk_StringArray{kModules, kKey, ""}));
        EXPECT_EQ(page.currentRow, 1);
        EXPECT_EQ(cell(page.table, 2, kWidthRow), "EndPlate.Width");
        EXPECT_TRUE(page.modified);

        // Add: an empty row takes the active row's place; an empty name loads nothing.
        onPage.click(Page::kAdd);
        EXPECT_EQ(page.data->ssNames, (Zrk_StringArray{"Sub/Bolts", "", "Plate", "Plate"}));
        EXPECT_EQ(page.currentRow, 1);
        EXPECT_EQ(page.table.getNrRows(), 0);
        EXPECT_EQ(cell(page.list, 2, 2), "<Entire macro>");
        choose(u, page.list, 1, 2, "Sub/Bolts");
        EXPECT_EQ(page.data->ssNames[1], "Sub/Bolts");
        EXPECT_EQ(page.table.getNrRows(), 6);
        EXPECT_EQ(cell(page.table, 0, 3), "Getal");

        // Remove the last row: the row before it becomes current.
        page.list.setActiveCell(1, 4);
        onPage.click(Page::kRemove);
        EXPECT_EQ(page.data->ssNames, (Zrk_StringArray{"Sub/Bolts", "Sub/Bolts", "Plate"}));
        EXPECT_EQ(page.currentRow, 2);
        u.click(ui::IDOK);
    });
    // The added row was shown with nothing bound: it got an empty record under a key of its own.
    const Zrk_StringArray refs = mapping().mappingRefs;
    ASSERT_EQ(refs.length(), 3);
    EXPECT_EQ(refs[0], kModules);
    EXPECT_EQ(refs[1].size(), 24u);
    EXPECT_EQ(refs[2], kKey);
    EXPECT_EQ(mapLines("Sub/Bolts"), (Zrk_StringArray{"Mapping version 1.0", refs[1] + "="}));
    EXPECT_TRUE(settings.standardsModified);
}

TEST_F(MappingPageTest, AnEmptyListShowsNothingAndOkKeepsTheFlag) {
    rows({}, {});
    settings.standardsModified = true; // what the page reports replaces it
    run([&](ui::DialogUser& u, Page& page) {
        ui::DialogUser onPage(page);
        EXPECT_EQ(page.list.getNrRows(), 0);
        EXPECT_EQ(page.table.getNrRows(), 0);
        onPage.click(Page::kRemove);
        onPage.click(Page::kUp);
        EXPECT_FALSE(page.modified);
        u.click(ui::IDOK);
    });
    EXPECT_FALSE(settings.standardsModified);
    EXPECT_TRUE(mapping().ssNames.isEmpty());
}

TEST_F(MappingPageTest, AMappingThatCannotBeWrittenKeepsTheDialogOpen) {
    rows({"Sub/Bolts"}, {""});
    // A folder where the mapping file would be: it can be neither read nor replaced.
    std::filesystem::create_directories(mapFile("Sub/Bolts"));
    run([&](ui::DialogUser& u, Page& page) {
        choose(u, page.table, 2, 3, "EndPlate.Width");
        u.click(ui::IDOK);
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_EQ(user.messageBoxes()[0].request.text,
                  "The variable mapping of Sub/Bolts could not be written to " + mapFile("Sub/Bolts") + ".");
        EXPECT_FALSE(u.dialog().hasEnded());
        EXPECT_EQ(page.data->mappingRefs[0], ""); // the row names no record that is not there
        u.click(ui::IDCANCEL);
    });
}

TEST(MappingPageTexts, ChoicesReadAsGroupNameAndKind) {
    KvObjectMap object;
    object.groupName = "EndPlate";
    object.macroVar = "Width";
    object.type = KvObjectType::Distance;
    EXPECT_EQ(Page::choiceText(object), "EndPlate.Width");
    object.type = KvObjectType::CutRadius;
    EXPECT_EQ(Page::choiceText(object), "EndPlate.Width.CutRadius");
    object.macroVar.clear();
    object.type = KvObjectType::BoltsDiameter;
    EXPECT_EQ(Page::choiceText(object), "EndPlate.BoltsDiameter");
    object.groupName.clear();
    object.macroVar = "gen_W";
    object.type = KvObjectType::GenVar;
    EXPECT_EQ(Page::choiceText(object), "gen_W.GenVar");
    object.macroVar = "Prof1;3";
    object.type = KvObjectType::MemberSectionSize;
    object.columnName = "tf";
    EXPECT_EQ(Page::choiceText(object), "Prof1;3 tf");
}

TEST(MappingPageKeys, KeysAreTwentyFourLettersAndDigits) {
    Zrk_String key;
    ASSERT_EQ(Page::newMappingKey({}, key), Acad::eOk);
    ASSERT_EQ(key.size(), 24u);
    for (char c : key)
        EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << key;
}
