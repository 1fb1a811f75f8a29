// The general variables dialog through StartDlgGenVars, played by a scripted user: the two grids
// filled and read back, the row buttons, and the "..." button's filters.
#include <QTableView>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/files.h"
#include "core/gen_vars.h"
#include "core/language.h"
#include "core/settings.h"
#include "spreadlib/constants.h"
#include "standards/dlg_gen_vars.h"
#include "ui/dialog_size.h"
#include "ui/scripted_user.h"

using namespace spreadlib;
using Dlg = DlgGenVars;

namespace {

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

Dlg& dialogOf(ui::DialogUser& u) {
    return static_cast<Dlg&>(u.dialog());
}

// A library of its own with a few drawings in "Macros/", and one elsewhere.
class GenVarsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        folder = fs::temp_directory_path() / ("ss_genvars_dialog_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        for (const char* drawing : {"lib/Macros/Hall 1.json", "lib/Macros/Halls/Hall 4.json", "lib/x.json",
                                    "elsewhere/Hall 2.json"}) {
            fs::create_directories((folder / drawing).parent_path());
            ASSERT_TRUE(writeFileAtomically((folder / drawing).string(), "{}"));
        }
        savedLibDir = gSettings.libDir;
        gSettings.libDir = path("lib/");
    }
    void TearDown() override {
        gSettings.libDir = savedLibDir;
        std::filesystem::remove_all(folder);
    }
    Zrk_String path(const std::string& relative) const { return folder.string() + "/" + relative; }

    std::filesystem::path folder;
    Zrk_String savedLibDir;
    ui::ScriptedUser user;
    KvAutoStandardsData data;
};

} // namespace

TEST_F(GenVarsDialog, AnEmptyRecordOpensWithOneEmptyRowInEachGrid) {
    user.onDialog(Dlg::kTemplate, [](ui::DialogUser& u) {
        Dlg& d = dialogOf(u);
        EXPECT_EQ(d.title(), dialString(1764));
        EXPECT_EQ(d.itemText(Dlg::kDrawingGroup), dialString(1762));
        EXPECT_EQ(d.itemText(Dlg::kStandardAdd), dialString(606));
        EXPECT_EQ(d.drawingGrid.getNrRows(), 1);
        EXPECT_EQ(d.standardGrid.getNrRows(), 1);
        EXPECT_EQ(d.drawingGrid.getNrCols(), 4);
        EXPECT_EQ(d.standardGrid.getNrCols(), 5);
        EXPECT_FALSE(d.drawingGrid.getBool(kOptionRowHeaders));
        Zrk_StringArray headers;
        d.standardGrid.getColumnHeaders(headers);
        EXPECT_EQ(headers, (Zrk_StringArray{dialString(1543), dialString(86), dialString(1765),
                                            dialString(347), " "}));
        EXPECT_EQ(d.standardGrid.getCellTypeCode(5, 1), kTypeButton);
        int width = 0;
        d.drawingGrid.getColWidthInPixels(4, width);
        EXPECT_EQ(width, Dlg::kButtonWidth);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgGenVars(data));
    EXPECT_EQ(data.dwgGenVars(), Zrk_StringArray{""});
    EXPECT_EQ(data.dwgGenFilters(), Zrk_StringArray{""});
    EXPECT_EQ(data.stdGenOverrides(), Zrk_StringArray{""});
    EXPECT_EQ(data.stdGenFilters(), Zrk_StringArray{""});
    QRect stored;
    EXPECT_TRUE(getDlgSize(Dlg::kSizeKey, stored));
}

TEST_F(GenVarsDialog, RowsGoBackIntoTheirListsOnOkAndNowhereOnCancel) {
    data.dwgGenVars() = {"gen_A", "gen_B"};
    data.dwgGenValues() = {"1", "2"};
    data.dwgGenFilters() = {"Halls", ""};
    data.stdGenVars() = {"gen_C"};
    data.stdGenValues() = {"3"};
    data.stdGenOverrides() = {"1"};
    data.stdGenFilters() = {"Hall 3.json"};
    const KvAutoStandardsData original = data;
    user.onDialog(Dlg::kTemplate, [](ui::DialogUser& u) {
        Dlg& d = dialogOf(u);
        d.drawingGrid.setCellText(2, 1, "lost");
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(StartDlgGenVars(data));
    EXPECT_EQ(data, original);

    user.onDialog(Dlg::kTemplate, [](ui::DialogUser& u) {
        Dlg& d = dialogOf(u);
        ASSERT_EQ(d.drawingGrid.getNrRows(), 2);
        EXPECT_EQ(cell(d.drawingGrid, 3, 1), "Halls");
        EXPECT_EQ(cell(d.standardGrid, 3, 1), "1");
        EXPECT_EQ(cell(d.standardGrid, 4, 1), "Hall 3.json");
        // Typed by a person: the text being typed counts on OK.
        u.clickAt(cellPoint(d.standardGrid, d, 2, 1));
        u.pressKey('7');
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgGenVars(data));
    EXPECT_EQ(data.dwgGenVars(), original.dwgGenVars());
    EXPECT_EQ(data.dwgGenFilters(), original.dwgGenFilters());
    EXPECT_EQ(data.stdGenValues(), Zrk_StringArray{"7"});
    EXPECT_EQ(data.stdGenOverrides(), Zrk_StringArray{"1"});
}

TEST_F(GenVarsDialog, AddRemoveUpAndDownKeepTheButtons) {
    data.dwgGenVars() = {"gen_A", "gen_B"};
    data.dwgGenValues() = {"1", "2"};
    data.dwgGenFilters() = {"", ""};
    user.onDialog(Dlg::kTemplate, [](ui::DialogUser& u) {
        Dlg& d = dialogOf(u);
        Zrk_Spread& grid = d.drawingGrid;
        grid.setActiveCell(1, 2);
        u.click(Dlg::kDrawingAdd); // at the active row: gen_B moves down
        ASSERT_EQ(grid.getNrRows(), 3);
        EXPECT_EQ(cell(grid, 1, 2), "");
        EXPECT_EQ(cell(grid, 1, 3), "gen_B");
        for (int row = 1; row <= 3; ++row)
            EXPECT_EQ(grid.getCellTypeCode(4, row), kTypeButton) << row;
        grid.setCellText(1, 2, "gen_New");

        grid.setActiveCell(1, 1);
        u.click(Dlg::kDrawingUp); // the first row stays
        EXPECT_EQ(cell(grid, 1, 1), "gen_A");
        u.click(Dlg::kDrawingDown);
        EXPECT_EQ(cell(grid, 1, 1), "gen_New");
        EXPECT_EQ(cell(grid, 1, 2), "gen_A");
        grid.setActiveCell(1, 3);
        u.click(Dlg::kDrawingDown); // the last row stays
        EXPECT_EQ(cell(grid, 1, 3), "gen_B");
        u.click(Dlg::kDrawingRemove);
        EXPECT_EQ(grid.getNrRows(), 2);
        for (int row = 1; row <= 2; ++row)
            EXPECT_EQ(grid.getCellTypeCode(4, row), kTypeButton) << row;
        EXPECT_EQ(d.standardGrid.getNrRows(), 1); // the other grid is left alone
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgGenVars(data));
    EXPECT_EQ(data.dwgGenVars(), (Zrk_StringArray{"gen_New", "gen_A"}));
    EXPECT_EQ(data.dwgGenValues(), (Zrk_StringArray{"", "1"}));
}

TEST_F(GenVarsDialog, TheButtonAppendsChosenDrawingsOfTheMacrosFolder) {
    data.stdGenVars() = {"gen_C", "gen_D"};
    data.stdGenFilters() = {"", "Halls"};
    user.answerFileDialog(Zrk_StringArray{path("lib/Macros/Hall 1.json"), path("elsewhere/Hall 2.json"),
                                          path("lib/Macros/../x.json")});
    user.answerFileDialog(
        Zrk_StringArray{path("lib/Macros/Halls/Hall 4.json"), path("lib/Macros/Hall 1.json")});
    user.answerFileDialog(Zrk_StringArray{path("elsewhere/Hall 2.json")});
    user.cancelFileDialog();
    user.onDialog(Dlg::kTemplate, [](ui::DialogUser& u) {
        Dlg& d = dialogOf(u);
        const QPoint button = cellPoint(d.standardGrid, d, 5, 1);
        u.clickAt(button); // an empty filter gets the paths without a leading ";"
        EXPECT_EQ(cell(d.standardGrid, 4, 1), "Hall 1.json");
        u.clickAt(button); // a second choice is appended; a path already there is not
        EXPECT_EQ(cell(d.standardGrid, 4, 1), "Hall 1.json;Halls/Hall 4.json");
        u.clickAt(cellPoint(d.standardGrid, d, 5, 2)); // nothing in the folder: nothing changes
        EXPECT_EQ(cell(d.standardGrid, 4, 2), "Halls");
        u.clickAt(cellPoint(d.drawingGrid, d, 4, 1)); // cancelled
        EXPECT_EQ(cell(d.drawingGrid, 3, 1), "");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgGenVars(data));
    ASSERT_EQ(user.fileDialogs().size(), 4u);
    const ui::FileDialogRequest& request = user.fileDialogs()[0];
    EXPECT_EQ(request.mode, ui::FileDialogRequest::Mode::OpenMultiple);
    EXPECT_EQ(request.title, "Select the drawings and folders that apply to this general variable");
    EXPECT_EQ(request.startFolder, path("lib/Macros/"));
    EXPECT_EQ(request.extension, "json");
    EXPECT_EQ(data.stdGenFilters(), (Zrk_StringArray{"Hall 1.json;Halls/Hall 4.json", "Halls"}));
}

TEST(GenVarsFilters, AppendingAndCovering) {
    EXPECT_EQ(Dlg::appendToFilter("", {"a.json", "b\\c.json"}), "a.json;b/c.json");
    EXPECT_EQ(Dlg::appendToFilter("b\\c.json", {"b/c.json", "d.json", "d.json"}), "b\\c.json;d.json");
    EXPECT_EQ(Dlg::appendToFilter("x", {}), "x");

    EXPECT_TRUE(KvAutoStandardsData::filterCovers("", "Halls/Hall 3.json"));
    EXPECT_TRUE(KvAutoStandardsData::filterCovers(" ; ", ""));
    EXPECT_TRUE(KvAutoStandardsData::filterCovers("Other.json; Halls\\", "Halls/Hall 3.json"));
    EXPECT_TRUE(KvAutoStandardsData::filterCovers("Halls/Hall 3.json", "Halls/Hall 3.json"));
    EXPECT_FALSE(KvAutoStandardsData::filterCovers("Hall", "Halls/Hall 3.json"));
    EXPECT_FALSE(KvAutoStandardsData::filterCovers("Halls/Hall 3.json", "Halls"));
    EXPECT_FALSE(KvAutoStandardsData::filterCovers("Halls", ""));
}

TEST(GenVarsFilters, AMacroReceivesTheVariablesOfItsDrawingTheStandardsOverridingOnlyWhereTheySaySo) {
    KvAutoStandardsData data;
    data.dwgGenVars() = {"gen_A", "gen_B", "gen_C", "", "gen_A"};
    data.dwgGenValues() = {"1", "2", "3", "4", "5"};
    data.dwgGenFilters() = {"Halls", "", "Other.json", "", ""};
    data.stdGenVars() = {"gen_A", "gen_B", "gen_D", "gen_B"};
    data.stdGenValues() = {"10", "20", "30", "40"};
    data.stdGenOverrides() = {"No", "1"}; // shorter than the names: the rest have no override
    data.stdGenFilters() = {"", "", "Halls/Hall 3.json", ""};

    Zrk_StringArray names, values;
    data.applying("Halls/Hall 3.json", names, values);
    // gen_A: the drawing's first entry (its second is ignored, the standard's does not override);
    // gen_B: the standard's overriding value, not its later duplicate; gen_C is filtered out.
    EXPECT_EQ(names, (Zrk_StringArray{"gen_A", "gen_B", "gen_D"}));
    EXPECT_EQ(values, (Zrk_StringArray{"1", "20", "30"}));

    // A macro without a library drawing gets only the variables without a filter.
    data.applying("", names, values);
    EXPECT_EQ(names, (Zrk_StringArray{"gen_B", "gen_A"}));
    EXPECT_EQ(values, (Zrk_StringArray{"20", "5"}));
}
